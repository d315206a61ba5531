#include "core/atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace pw {

namespace {
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t modeForReplacement(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) return (existing.st_mode & 07777) | S_IWUSR;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}
}  // namespace

bool isReadOnlyFile(const std::string& path) {
    struct stat existing {};
    return ::stat(path.c_str(), &existing) == 0 && (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool replaceFileAtomically(const std::string& path, std::string_view bytes, ReadOnlyFile readOnly) {
    if (path.empty()) return false;
    // A rename would replace the file whatever its permissions say.
    if (readOnly == ReadOnlyFile::Keep && isReadOnlyFile(path)) return false;
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    const bool written = writeAll(fd, bytes) && ::fchmod(fd, modeForReplacement(path)) == 0 && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(folderOf(path));
    return true;
}

namespace {
// Opens a regular file and reads it into the buffer `allocate` gives for its
// size; returns the bytes read, or none when it cannot be opened.
template <typename Allocate>
std::optional<size_t> readRegularFile(const std::string& path, Allocate&& allocate) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    const size_t size = static_cast<size_t>(info.st_size);
    char* buffer = allocate(size);
    size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, buffer + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    return got;
}
}  // namespace

bool readWholeFile(const std::string& path, std::string& out) {
    const std::optional<size_t> got = readRegularFile(path, [&](size_t size) {
        out.resize(size);
        return out.data();
    });
    if (!got) return false;
    out.resize(*got);
    return true;
}

std::optional<FileBytes> readWholeFileBytes(const std::string& path) {
    FileBytes file;
    const std::optional<size_t> got = readRegularFile(path, [&](size_t size) {
        file.data = std::make_unique_for_overwrite<char[]>(size);
        return file.data.get();
    });
    if (!got) return std::nullopt;
    file.size = *got;
    return file;
}

}  // namespace pw
