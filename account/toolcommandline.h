#pragma once
// How an account-tool command line falls apart into options, the same way on
// both ends: blanks outside double quotes separate, a value in double quotes
// is taken as it stands (no escaping), "-name=value" or a bare "-flag".

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

std::vector<std::string> splitToolCommandLine(std::string_view line);

struct ToolOption {
    std::string name;   // without the leading '-'
    std::string value;  // without its quotes
    bool hasValue = false;
};

// None when the token is not an option ("-" missing, an empty name, a quote
// that is not closed).
std::optional<ToolOption> parseToolOption(std::string_view token);

// A value may go between double quotes on a command line: it holds none itself
// and no line break.
bool isQuotableValue(std::string_view value);

}  // namespace pw
