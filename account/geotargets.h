#pragma once
// The countries and languages a campaign can target, in the order of the
// flags an AccountCampaign keeps for them.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "account/accountentities.h"

namespace pw {

struct GeoTarget {
    std::string_view code;
    std::string_view name;
};

extern const std::array<GeoTarget, kCountryCount> kCountryTable;
extern const std::array<GeoTarget, kLanguageCount> kLanguageTable;

// The row whose name matches without regard to case, or -1.
int countryIndexByName(std::string_view name);
int languageIndexByName(std::string_view name);

// The codes of the set rows in table order, separated by single blanks.
std::string countryCodeList(const std::array<bool, kCountryCount>& flags);
std::string languageCodeList(const std::array<bool, kLanguageCount>& flags);

// Reads a record's list: codes in double quotes, separated by anything.
// No quoted token, or none that matches: every flag is set. A token longer
// than the table allows (4 for countries, 13 for languages) or a missing
// closing quote: none.
std::optional<std::array<bool, kCountryCount>> parseQuotedCountries(std::string_view value);
std::optional<std::array<bool, kLanguageCount>> parseQuotedLanguages(std::string_view value);

// Reads the blank-separated code list of a command line; none when a code is
// not in the table. An empty list sets every flag.
std::optional<std::array<bool, kCountryCount>> parseCountryCodeList(std::string_view list);
std::optional<std::array<bool, kLanguageCount>> parseLanguageCodeList(std::string_view list);

// `"US" "DE"`: how the tool writes a list into its records.
std::string quotedCountryCodes(const std::array<bool, kCountryCount>& flags);
std::string quotedLanguageCodes(const std::array<bool, kLanguageCount>& flags);

}  // namespace pw
