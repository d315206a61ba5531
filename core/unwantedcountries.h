#pragma once
// A list of country names as a text: each name followed by LF; tab, CR and
// LF all separate names when it is read.

#include <string>
#include <string_view>
#include <vector>

namespace pw {

std::vector<std::string_view> countryNames(std::string_view text);
std::string countriesText(const std::vector<std::string>& names);

}  // namespace pw
