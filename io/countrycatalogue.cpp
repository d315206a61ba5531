#include "io/countrycatalogue.h"

#include "core/atomicfile.h"
#include "core/textencoding.h"
#include "core/unwantedcountries.h"

namespace pw {

namespace {
// The catalogue as UTF-8, whatever encoding the file was written in.
bool readCatalogueText(const ProgramFolder& folder, std::string& text) {
    std::string bytes;
    if (!readWholeFile(folder.countriesFile(), bytes)) return false;
    text = decodeTextFile(bytes);
    return true;
}
}  // namespace

std::vector<std::string> loadCountryCatalogue(const ProgramFolder& folder) {
    std::string text;
    if (!readCatalogueText(folder, text)) return {};
    std::vector<std::string> names;
    for (std::string_view name : countryNames(text)) names.emplace_back(name);
    return names;
}

bool appendCountry(const ProgramFolder& folder, std::string_view name) {
    std::string text;
    if (!readCatalogueText(folder, text)) text.clear();
    if (!text.empty() && text.back() != '\n') text.push_back('\n');
    // Written whole as UTF-8: an older Windows-1252 catalogue is converted
    // rather than mixed with UTF-8; a UTF-8 file only grows by the name.
    text.append(toUtf8(name));
    return replaceFileAtomically(folder.countriesFile(), text);
}

}  // namespace pw
