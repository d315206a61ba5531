#pragma once
// Replacing a file so that a crash or a full disk never leaves half of it.

#include <string>
#include <string_view>

namespace pw {

// What to do when the file at `path` is read-only: leave it alone and fail
// (a file the user protected), or replace it all the same, making it writable
// (a project saved over a read-only copy).
enum class ReadOnlyFile { Keep, Replace };

// Writes the bytes to a temporary file beside `path`, flushes it to disk and
// then renames it over `path`. On failure `path` is untouched.
bool replaceFileAtomically(const std::string& path, std::string_view bytes, ReadOnlyFile readOnly = ReadOnlyFile::Keep);

// The file exists and its permissions allow nobody to write it.
bool isReadOnlyFile(const std::string& path);

// The whole file, or nothing when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& out);

}  // namespace pw
