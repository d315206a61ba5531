#pragma once
// unwanted.txt: the catalogue of characters the user picks unwanted
// characters from; one byte per character, at most 127.

#include <string>

#include "io/programfolder.h"

namespace pw {

constexpr size_t kMaxCatalogueCharacters = 127;

std::string loadCharacterCatalogue(const ProgramFolder& folder);

enum class AddCharacterResult { Added, CatalogueFull, AlreadyPresent, CannotWrite };
AddCharacterResult addCharacter(const ProgramFolder& folder, char character);

}  // namespace pw
