#pragma once
// countries.txt: the catalogue the user picks unwanted countries from.

#include <string>
#include <string_view>
#include <vector>

#include "io/programfolder.h"

namespace pw {

// The non-empty names between CR, LF and tab, in file order; empty when the
// file is missing.
std::vector<std::string> loadCountryCatalogue(const ProgramFolder& folder);
// Appends the name, after a LF when the file does not already end with one.
// False when the file cannot be written (a read-only file is left alone).
bool appendCountry(const ProgramFolder& folder, std::string_view name);

}  // namespace pw
