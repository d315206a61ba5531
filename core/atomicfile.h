#pragma once
// Replacing a file so that a crash or a full disk never leaves half of it.

#include <string>
#include <string_view>

namespace pw {

// Writes the bytes to a temporary file beside `path`, flushes it to disk and
// then renames it over `path`. On failure `path` is untouched. A read-only
// file at `path` is replaced all the same (it becomes writable).
bool replaceFileAtomically(const std::string& path, std::string_view bytes);

// The whole file, or nothing when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& out);

}  // namespace pw
