#include "core/unwantedcountries.h"

#include "core/text.h"

namespace pw {

std::vector<std::string_view> countryNames(std::string_view text) { return splitAny(text, "\t\r\n"); }

std::string countriesText(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text.append(name);
        text.push_back('\n');
    }
    return text;
}

}  // namespace pw
