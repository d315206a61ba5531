#include "account/toolcommandline.h"

namespace pw {

std::vector<std::string> splitToolCommandLine(std::string_view line) {
    std::vector<std::string> tokens;
    std::string current;
    bool inQuotes = false;
    bool inToken = false;
    for (char c : line) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (blank && !inQuotes) {
            if (inToken) tokens.push_back(std::move(current));
            current.clear();
            inToken = false;
            continue;
        }
        if (c == '"') inQuotes = !inQuotes;
        current += c;
        inToken = true;
    }
    if (inToken) tokens.push_back(std::move(current));
    return tokens;
}

std::optional<ToolOption> parseToolOption(std::string_view token) {
    if (token.size() < 2 || token[0] != '-') return std::nullopt;
    token.remove_prefix(1);
    ToolOption option;
    const size_t eq = token.find('=');
    option.name = std::string(token.substr(0, eq));
    if (option.name.empty() || option.name.find('"') != std::string::npos) return std::nullopt;
    if (eq == std::string_view::npos) return option;
    std::string_view value = token.substr(eq + 1);
    option.hasValue = true;
    if (!value.empty() && value.front() == '"') {
        if (value.size() < 2 || value.back() != '"') return std::nullopt;
        value = value.substr(1, value.size() - 2);
    }
    option.value = std::string(value);
    return option;
}

bool isQuotableValue(std::string_view value) { return value.find_first_of("\"\r\n") == std::string_view::npos; }

}  // namespace pw
