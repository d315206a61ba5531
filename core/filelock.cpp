#include "core/filelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace pw {

std::optional<FileLock> FileLock::lock(const std::string& path, bool wait) {
    // Close-on-exec: a tool started while the lock is held must not keep it.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return std::nullopt;
    int locked = 0;
    while ((locked = ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB))) != 0 && errno == EINTR) {
    }
    if (locked != 0) {
        ::close(fd);
        return std::nullopt;
    }
    return FileLock(fd);
}

std::optional<FileLock> FileLock::acquire(const std::string& path) { return lock(path, true); }
std::optional<FileLock> FileLock::tryAcquire(const std::string& path) { return lock(path, false); }

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace pw
