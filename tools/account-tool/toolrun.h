#pragma once
// The command-line side of the account tool: the options of one run, and
// the action they name carried out against an account service.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "account/toolcommandline.h"
#include "tools/account-tool/accountservice.h"

namespace pw::tool {

// The options of one run, looked up without regard to case. Options the
// tool does not use (-failed, -parent, -child, -useragent, the proxy
// options) are kept and never asked for.
class ToolOptions {
public:
    // A word that is not an option (such as the tool path in front) is
    // skipped; a malformed option is kept aside, so that the output file can
    // still be named, and refused by requireWellFormed().
    static ToolOptions parse(const std::vector<std::string>& words);
    void requireWellFormed() const;

    bool has(std::string_view name) const;
    // The value; refuses when the option is missing or has no value.
    const std::string& text(std::string_view name) const;
    std::optional<std::string> optionalText(std::string_view name) const;
    // A whole number; refuses anything else.
    int64_t number(std::string_view name) const;
    int32_t id(std::string_view name) const;

private:
    const ToolOption* find(std::string_view name) const;
    std::map<std::string, ToolOption> options_;  // keyed by the folded name
    std::vector<std::string> malformed_;
};

// Carries out the run's action and returns the text of its output file.
// Throws ServiceRefusal for anything refused; the caller then discards the
// run's work and writes the error line instead.
std::string runAction(const ToolOptions& options, AccountService& service);

}  // namespace pw::tool
