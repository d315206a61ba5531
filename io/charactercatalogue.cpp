#include "io/charactercatalogue.h"

#include "core/atomicfile.h"
#include "core/textencoding.h"

namespace pw {

std::string loadCharacterCatalogue(const ProgramFolder& folder) {
    std::string bytes;
    if (!readWholeFile(folder.unwantedFile(), bytes)) return {};
    return std::string(clipToCharacters(decodeTextFile(bytes), kMaxCatalogueCharacters));
}

std::vector<std::string> catalogueCharacters(const ProgramFolder& folder) {
    const std::string text = loadCharacterCatalogue(folder);
    std::vector<std::string> characters;
    for (std::string_view c : splitCharacters(text)) characters.emplace_back(c);
    return characters;
}

AddCharacterResult addCharacter(const ProgramFolder& folder, std::string_view character) {
    const std::string text = toUtf8(character);
    const std::string typed = text.substr(0, characterLength(text));
    if (typed.empty()) return AddCharacterResult::AlreadyPresent;
    std::string bytes;
    const bool exists = readWholeFile(folder.unwantedFile(), bytes);
    const std::string catalogue = decodeTextFile(bytes);
    if (exists && countCharacters(catalogue) > kMaxCatalogueCharacters - 1) return AddCharacterResult::CatalogueFull;
    for (std::string_view c : splitCharacters(catalogue))
        if (c == typed) return AddCharacterResult::AlreadyPresent;
    // The whole file is written again as UTF-8, so an older Windows-1252 catalogue is converted once.
    return replaceFileAtomically(folder.unwantedFile(), catalogue + typed) ? AddCharacterResult::Added
                                                                       : AddCharacterResult::CannotWrite;
}

CatalogueMessage addCharacterMessage(AddCharacterResult result) {
    switch (result) {
    case AddCharacterResult::CatalogueFull:
        return {"No more unwanted characters can be added! The maximum number has been reached!", "Cannot add"};
    case AddCharacterResult::AlreadyPresent: return {"This character already exists!", "Cannot add"};
    case AddCharacterResult::CannotWrite: return {"Cannot save unwanted characters list!", "Cannot open file"};
    case AddCharacterResult::Added: break;
    }
    return {};
}

}  // namespace pw
