#include "io/countrycatalogue.h"

#include <fstream>

#include "core/atomicfile.h"
#include "core/unwantedcountries.h"

namespace pw {

std::vector<std::string> loadCountryCatalogue(const ProgramFolder& folder) {
    std::string text;
    if (!readWholeFile(folder.countriesFile(), text)) return {};
    std::vector<std::string> names;
    for (std::string_view name : countryNames(text)) names.emplace_back(name);
    return names;
}

bool appendCountry(const ProgramFolder& folder, std::string_view name) {
    std::string existing;
    if (!readWholeFile(folder.countriesFile(), existing)) existing.clear();
    std::ofstream out(folder.countriesFile(), std::ios::binary | std::ios::app);
    if (!out) return false;
    if (!existing.empty() && existing.back() != '\n') out.put('\n');
    out.write(name.data(), static_cast<std::streamsize>(name.size()));
    return static_cast<bool>(out.flush());
}

}  // namespace pw
