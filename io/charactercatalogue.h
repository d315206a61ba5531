#pragma once
// unwanted.txt: the catalogue of characters the user picks unwanted
// characters from, stored as UTF-8; at most 127 characters.

#include <string>
#include <string_view>
#include <vector>

#include "io/programfolder.h"

namespace pw {

constexpr size_t kMaxCatalogueCharacters = 127;

// The catalogue as text (a file in another encoding read as Windows-1252).
std::string loadCharacterCatalogue(const ProgramFolder& folder);
// The catalogue's characters, one string each ("€" is one entry).
std::vector<std::string> catalogueCharacters(const ProgramFolder& folder);

enum class AddCharacterResult { Added, CatalogueFull, AlreadyPresent, CannotWrite };
// Adds the first character of `character` (UTF-8; the box holds one). Empty
// text adds nothing and counts as present. CannotWrite also when unwanted.txt
// is read-only: the file is left as it is.
AddCharacterResult addCharacter(const ProgramFolder& folder, std::string_view character);
inline AddCharacterResult addCharacter(const ProgramFolder& folder, char character) {
    return addCharacter(folder, std::string_view(&character, 1));
}

// The message a window shows for a result other than Added.
struct CatalogueMessage {
    std::string_view text;
    std::string_view caption;
};
CatalogueMessage addCharacterMessage(AddCharacterResult result);

}  // namespace pw
