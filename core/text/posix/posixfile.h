// What the POSIX file functions of core/text share: a descriptor closed on every way out, and
// the system's reasons in words. Not part of the core's interface.
#pragma once

#include <cerrno>
#include <string>
#include <unistd.h>

namespace grimtally::posix {

// Closes a descriptor on every way out of a function.
class FdGuard {
public:
    explicit FdGuard(int fd) : fd_(fd) {}
    ~FdGuard()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;
    int get() const { return fd_; }
    // Closes now and reports the result: on some file systems a late write error only
    // shows up here.
    int close()
    {
        int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

private:
    int fd_;
};

// The error is the file system's way of saying it does not offer the call at all (FUSE file
// systems and FAT lack some); the caller then goes a simpler way.
inline bool fileSystemLacks(int error)
{
    return error == ENOSYS || error == EOPNOTSUPP || error == ENOTSUP;
}

std::string systemReason(int error);
// As systemReason, but a file that is no regular file says so.
std::string readReason(int error);

// Reads an open file from where it stands; returns 0 or the errno of the failure. Refuses
// anything but a regular file, so that a folder, a pipe or a device never hangs or floods
// the program.
int readOpenFile(int fd, std::string& out);

} // namespace grimtally::posix
