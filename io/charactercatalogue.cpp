#include "io/charactercatalogue.h"

#include "core/atomicfile.h"

namespace pw {

std::string loadCharacterCatalogue(const ProgramFolder& folder) {
    std::string bytes;
    if (!readWholeFile(folder.unwantedFile(), bytes)) return {};
    if (bytes.size() > kMaxCatalogueCharacters) bytes.resize(kMaxCatalogueCharacters);
    return bytes;
}

AddCharacterResult addCharacter(const ProgramFolder& folder, char character) {
    std::string bytes;
    if (readWholeFile(folder.unwantedFile(), bytes) && bytes.size() > kMaxCatalogueCharacters - 1)
        return AddCharacterResult::CatalogueFull;
    if (bytes.find(character) != std::string::npos) return AddCharacterResult::AlreadyPresent;
    bytes.push_back(character);
    return replaceFileAtomically(folder.unwantedFile(), bytes) ? AddCharacterResult::Added
                                                               : AddCharacterResult::CannotWrite;
}

}  // namespace pw
