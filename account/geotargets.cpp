#include "account/geotargets.h"

#include "core/text.h"

namespace pw {

const std::array<GeoTarget, kCountryCount> kCountryTable = {{
    {"AF", "AFGHANISTAN"}, {"AL", "ALBANIA"}, {"AQ", "ANTARCTICA"}, {"DZ", "ALGERIA"},
    {"AS", "AMERICAN SAMOA"}, {"AD", "ANDORRA"}, {"AO", "ANGOLA"}, {"AG", "ANTIGUA AND BARBUDA"},
    {"AZ", "AZERBAIJAN"}, {"AR", "ARGENTINA"}, {"AU", "AUSTRALIA"}, {"AT", "AUSTRIA"},
    {"BS", "BAHAMAS"}, {"BH", "BAHRAIN"}, {"BD", "BANGLADESH"}, {"AM", "ARMENIA"},
    {"BB", "BARBADOS"}, {"BE", "BELGIUM"}, {"BM", "BERMUDA"}, {"BT", "BHUTAN"},
    {"BO", "BOLIVIA"}, {"BA", "BOSNIA AND HERZEGOVINA"}, {"BW", "BOTSWANA"}, {"BV", "BOUVET ISLAND"},
    {"BR", "BRAZIL"}, {"BZ", "BELIZE"}, {"IO", "BRITISH INDIAN OCEAN TERRITORY"}, {"SB", "SOLOMON ISLANDS"},
    {"VG", "VIRGIN ISLANDS, BRITISH"}, {"BN", "BRUNEI DARUSSALAM"}, {"BG", "BULGARIA"}, {"MM", "MYANMAR"},
    {"BI", "BURUNDI"}, {"BY", "BELARUS"}, {"KH", "CAMBODIA"}, {"CM", "CAMEROON"},
    {"CA", "CANADA"}, {"CV", "CAPE VERDE"}, {"KY", "CAYMAN ISLANDS"}, {"CF", "CENTRAL AFRICAN REPUBLIC"},
    {"LK", "SRI LANKA"}, {"TD", "CHAD"}, {"CL", "CHILE"}, {"CN", "CHINA"},
    {"TW", "TAIWAN, PROVINCE OF CHINA"}, {"CX", "CHRISTMAS ISLAND"}, {"CC", "COCOS (KEELING) ISLANDS"},
    {"CO", "COLOMBIA"}, {"KM", "COMOROS"}, {"YT", "MAYOTTE"}, {"CG", "CONGO"},
    {"CD", "CONGO, THE DEMOCRATIC REPUBLIC OF THE"}, {"CK", "COOK ISLANDS"}, {"CR", "COSTA RICA"},
    {"HR", "CROATIA"}, {"CU", "CUBA"}, {"CY", "CYPRUS"}, {"CZ", "CZECH REPUBLIC"}, {"BJ", "BENIN"},
    {"DK", "DENMARK"}, {"DM", "DOMINICA"}, {"DO", "DOMINICAN REPUBLIC"}, {"EC", "ECUADOR"},
    {"SV", "EL SALVADOR"}, {"GQ", "EQUATORIAL GUINEA"}, {"ET", "ETHIOPIA"}, {"ER", "ERITREA"},
    {"EE", "ESTONIA"}, {"FO", "FAROE ISLANDS"}, {"FK", "FALKLAND ISLANDS (MALVINAS)"},
    {"GS", "SOUTH GEORGIA AND THE SOUTH SANDWICH ISLANDS"}, {"FJ", "FIJI"}, {"FI", "FINLAND"},
    {"FR", "FRANCE"}, {"GF", "FRENCH GUIANA"}, {"PF", "FRENCH POLYNESIA"}, {"TF", "FRENCH SOUTHERN TERRITORIES"},
    {"DJ", "DJIBOUTI"}, {"GA", "GABON"}, {"GE", "GEORGIA"}, {"GM", "GAMBIA"},
    {"PS", "PALESTINIAN TERRITORY, OCCUPIED"}, {"DE", "GERMANY"}, {"GH", "GHANA"}, {"GI", "GIBRALTAR"},
    {"KI", "KIRIBATI"}, {"GR", "GREECE"}, {"GL", "GREENLAND"}, {"GD", "GRENADA"},
    {"GP", "GUADELOUPE"}, {"GU", "GUAM"}, {"GT", "GUATEMALA"}, {"GN", "GUINEA"},
    {"GY", "GUYANA"}, {"HT", "HAITI"}, {"HM", "HEARD ISLAND AND MCDONALD ISLANDS"},
    {"VA", "HOLY SEE (VATICAN CITY STATE)"}, {"HN", "HONDURAS"}, {"HK", "HONG KONG"}, {"HU", "HUNGARY"},
    {"IS", "ICELAND"}, {"IN", "INDIA"}, {"ID", "INDONESIA"}, {"IR", "IRAN, ISLAMIC REPUBLIC OF"},
    {"IQ", "IRAQ"}, {"IE", "IRELAND"}, {"IL", "ISRAEL"}, {"IT", "ITALY"},
    {"CI", "CÔTE D'IVOIRE"}, {"JM", "JAMAICA"}, {"JP", "JAPAN"}, {"KZ", "KAZAKHSTAN"},
    {"JO", "JORDAN"}, {"KE", "KENYA"}, {"KP", "KOREA, DEMOCRATIC PEOPLE'S REPUBLIC OF"},
    {"KR", "KOREA, REPUBLIC OF"}, {"KW", "KUWAIT"}, {"KG", "KYRGYZSTAN"},
    {"LA", "LAO PEOPLE'S DEMOCRATIC REPUBLIC"}, {"LB", "LEBANON"}, {"LS", "LESOTHO"}, {"LV", "LATVIA"},
    {"LR", "LIBERIA"}, {"LY", "LIBYAN ARAB JAMAHIRIYA"}, {"LI", "LIECHTENSTEIN"}, {"LT", "LITHUANIA"},
    {"LU", "LUXEMBOURG"}, {"MO", "MACAO"}, {"MG", "MADAGASCAR"}, {"MW", "MALAWI"},
    {"MY", "MALAYSIA"}, {"MV", "MALDIVES"}, {"ML", "MALI"}, {"MT", "MALTA"},
    {"MQ", "MARTINIQUE"}, {"MR", "MAURITANIA"}, {"MU", "MAURITIUS"}, {"MX", "MEXICO"},
    {"MC", "MONACO"}, {"MN", "MONGOLIA"}, {"MD", "MOLDOVA, REPUBLIC OF"}, {"MS", "MONTSERRAT"},
    {"MA", "MOROCCO"}, {"MZ", "MOZAMBIQUE"}, {"OM", "OMAN"}, {"NA", "NAMIBIA"},
    {"NR", "NAURU"}, {"NP", "NEPAL"}, {"NL", "NETHERLANDS"}, {"AN", "NETHERLANDS ANTILLES"},
    {"AW", "ARUBA"}, {"NC", "NEW CALEDONIA"}, {"VU", "VANUATU"}, {"NZ", "NEW ZEALAND"},
    {"NI", "NICARAGUA"}, {"NE", "NIGER"}, {"NG", "NIGERIA"}, {"NU", "NIUE"},
    {"NF", "NORFOLK ISLAND"}, {"NO", "NORWAY"}, {"MP", "NORTHERN MARIANA ISLANDS"},
    {"UM", "UNITED STATES MINOR OUTLYING ISLANDS"}, {"FM", "MICRONESIA, FEDERATED STATES OF"},
    {"MH", "MARSHALL ISLANDS"}, {"PW", "PALAU"}, {"PK", "PAKISTAN"}, {"PA", "PANAMA"},
    {"PG", "PAPUA NEW GUINEA"}, {"PY", "PARAGUAY"}, {"PE", "PERU"}, {"PH", "PHILIPPINES"},
    {"PN", "PITCAIRN"}, {"PL", "POLAND"}, {"PT", "PORTUGAL"}, {"GW", "GUINEA-BISSAU"},
    {"TL", "TIMOR-LESTE"}, {"PR", "PUERTO RICO"}, {"QA", "QATAR"}, {"RE", "RÉUNION"},
    {"RO", "ROMANIA"}, {"RU", "RUSSIAN FEDERATION"}, {"RW", "RWANDA"}, {"SH", "SAINT HELENA"},
    {"KN", "SAINT KITTS AND NEVIS"}, {"AI", "ANGUILLA"}, {"LC", "SAINT LUCIA"},
    {"PM", "SAINT PIERRE AND MIQUELON"}, {"VC", "SAINT VINCENT AND THE GRENADINES"}, {"SM", "SAN MARINO"},
    {"ST", "SAO TOME AND PRINCIPE"}, {"SA", "SAUDI ARABIA"}, {"SN", "SENEGAL"}, {"SC", "SEYCHELLES"},
    {"SL", "SIERRA LEONE"}, {"SG", "SINGAPORE"}, {"SK", "SLOVAKIA"}, {"VN", "VIET NAM"},
    {"SI", "SLOVENIA"}, {"SO", "SOMALIA"}, {"ZA", "SOUTH AFRICA"}, {"ZW", "ZIMBABWE"},
    {"ES", "SPAIN"}, {"EH", "WESTERN SAHARA"}, {"SD", "SUDAN"}, {"SR", "SURINAME"},
    {"SJ", "SVALBARD AND JAN MAYEN"}, {"SZ", "SWAZILAND"}, {"SE", "SWEDEN"}, {"CH", "SWITZERLAND"},
    {"SY", "SYRIAN ARAB REPUBLIC"}, {"TJ", "TAJIKISTAN"}, {"TH", "THAILAND"}, {"TG", "TOGO"},
    {"TK", "TOKELAU"}, {"TO", "TONGA"}, {"TT", "TRINIDAD AND TOBAGO"}, {"AE", "UNITED ARAB EMIRATES"},
    {"TN", "TUNISIA"}, {"TR", "TURKEY"}, {"TM", "TURKMENISTAN"}, {"TC", "TURKS AND CAICOS ISLANDS"},
    {"TV", "TUVALU"}, {"UG", "UGANDA"}, {"UA", "UKRAINE"}, {"MK", "MACEDONIA, THE FORMER YUGOSLAV REPUBLIC OF"},
    {"EG", "EGYPT"}, {"GB", "UNITED KINGDOM"}, {"TZ", "TANZANIA, UNITED REPUBLIC OF"}, {"US", "UNITED STATES"},
    {"VI", "VIRGIN ISLANDS, U.S."}, {"BF", "BURKINA FASO"}, {"UY", "URUGUAY"}, {"UZ", "UZBEKISTAN"},
    {"VE", "VENEZUELA"}, {"WF", "WALLIS AND FUTUNA"}, {"WS", "SAMOA"}, {"YE", "YEMEN"},
    {"CS", "SERBIA AND MONTENEGRO"}, {"ZM", "ZAMBIA"},
}};

const std::array<GeoTarget, kLanguageCount> kLanguageTable = {{
    {"en", "English"},    {"de", "German"},     {"fr", "French"},     {"es", "Spanish"},   {"it", "Italian"},
    {"ja", "Japanese"},   {"da", "Danish"},     {"nl", "Dutch"},      {"fi", "Finnish"},   {"ko", "Korean"},
    {"no", "Norwegian"},  {"pt", "Portuguese"}, {"sv", "Swedish"},    {"zh-CN", "Chinese"}, {"zh-TW", "Twi"},
    {"ar", "Arabic"},     {"bg", "Bulgarian"},  {"cs", "Czech"},      {"el", "Greek"},     {"hi", "Hindi"},
    {"hu", "Hungarian"},  {"id", "Indonesian"}, {"is", "Icelandic"},  {"iw", "Hebrew"},    {"lv", "Latvian"},
    {"lt", "Lithuanian"}, {"pl", "Polish"},     {"ru", "Russian"},    {"ro", "Romanian"},  {"sk", "Slovak"},
    {"sl", "Slovenian"},  {"sr", "Serbian"},    {"uk", "Ukrainian"},  {"tr", "Turkish"},   {"ca", "Catalan"},
    {"hr", "Croatian"},   {"vi", "Vietnamese"}, {"ur", "Urdu"},       {"tl", "Tagalog"},   {"et", "Estonian"},
    {"th", "Thai"},
}};

namespace {

template <size_t N>
int indexByName(const std::array<GeoTarget, N>& table, std::string_view name) {
    for (size_t i = 0; i < N; ++i)
        if (equalsIgnoreCase(table[i].name, name)) return static_cast<int>(i);
    return -1;
}

template <size_t N>
int indexByCode(const std::array<GeoTarget, N>& table, std::string_view code) {
    for (size_t i = 0; i < N; ++i)
        if (equalsIgnoreCase(table[i].code, code)) return static_cast<int>(i);
    return -1;
}

template <size_t N>
std::string codeList(const std::array<GeoTarget, N>& table, const std::array<bool, N>& flags, bool quoted) {
    std::string list;
    for (size_t i = 0; i < N; ++i) {
        if (!flags[i]) continue;
        if (!list.empty()) list += ' ';
        if (quoted) list.append("\"").append(table[i].code).append("\"");
        else list.append(table[i].code);
    }
    return list;
}

template <size_t N>
std::optional<std::array<bool, N>> parseQuoted(const std::array<GeoTarget, N>& table, std::string_view value,
                                               size_t longestToken) {
    std::array<bool, N> flags{};
    bool matched = false;
    size_t pos = value.find('"');
    while (pos != std::string_view::npos) {
        const size_t close = value.find('"', pos + 1);
        if (close == std::string_view::npos) return std::nullopt;
        const std::string_view token = value.substr(pos + 1, close - pos - 1);
        if (token.size() > longestToken) return std::nullopt;
        const int row = indexByCode(table, token);
        if (row >= 0) flags[row] = matched = true;
        pos = value.find('"', close + 1);
    }
    if (!matched) flags.fill(true);
    return flags;
}

template <size_t N>
std::optional<std::array<bool, N>> parsePlain(const std::array<GeoTarget, N>& table, std::string_view list) {
    std::array<bool, N> flags{};
    const auto codes = splitAny(list, " ");
    if (codes.empty()) flags.fill(true);
    for (std::string_view code : codes) {
        const int row = indexByCode(table, code);
        if (row < 0) return std::nullopt;
        flags[row] = true;
    }
    return flags;
}

}  // namespace

int countryIndexByName(std::string_view name) { return indexByName(kCountryTable, name); }
int languageIndexByName(std::string_view name) { return indexByName(kLanguageTable, name); }

std::string countryCodeList(const std::array<bool, kCountryCount>& flags) {
    return codeList(kCountryTable, flags, false);
}
std::string languageCodeList(const std::array<bool, kLanguageCount>& flags) {
    return codeList(kLanguageTable, flags, false);
}
std::string quotedCountryCodes(const std::array<bool, kCountryCount>& flags) {
    return codeList(kCountryTable, flags, true);
}
std::string quotedLanguageCodes(const std::array<bool, kLanguageCount>& flags) {
    return codeList(kLanguageTable, flags, true);
}

std::optional<std::array<bool, kCountryCount>> parseQuotedCountries(std::string_view value) {
    return parseQuoted(kCountryTable, value, 4);
}
std::optional<std::array<bool, kLanguageCount>> parseQuotedLanguages(std::string_view value) {
    return parseQuoted(kLanguageTable, value, 13);
}
std::optional<std::array<bool, kCountryCount>> parseCountryCodeList(std::string_view list) {
    return parsePlain(kCountryTable, list);
}
std::optional<std::array<bool, kLanguageCount>> parseLanguageCodeList(std::string_view list) {
    return parsePlain(kLanguageTable, list);
}

}  // namespace pw
