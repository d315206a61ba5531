#pragma once
// Replacing a file so that a crash or a full disk never leaves half of it.

#include <memory>
#include <optional>
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

// The same for large files (a project of a million phrases): the buffer is
// not cleared before the file is read into it.
struct FileBytes {
    std::unique_ptr<char[]> data;
    size_t size = 0;
    std::string_view view() const { return {data.get(), size}; }
};
std::optional<FileBytes> readWholeFileBytes(const std::string& path);

}  // namespace pw
