#pragma once
// An exclusive lock shared between processes: flock on a small file that is
// never replaced (a file replaced by a rename would leave the lock on the
// old one). Released when the lock is destroyed or the process ends.

#include <optional>
#include <string>

namespace pw {

class FileLock {
public:
    // Waits for the lock; none when the lock file cannot be opened.
    static std::optional<FileLock> acquire(const std::string& path);
    // None when another holder has it (another process, or another lock
    // object of this one) or the file cannot be opened.
    static std::optional<FileLock> tryAcquire(const std::string& path);

    FileLock(FileLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

private:
    explicit FileLock(int fd) : fd_(fd) {}
    static std::optional<FileLock> lock(const std::string& path, bool wait);
    int fd_ = -1;
};

}  // namespace pw
