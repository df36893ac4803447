// File identities and held files with POSIX calls: fstat, flock, fdatasync.
#include "core/text/fileidentity.h"

#include "core/text/posix/posixfile.h"
#include "core/text/textfile.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace grimtally {

namespace {

FileIdentity identityOf(const struct stat& st)
{
    return {static_cast<std::uint64_t>(st.st_size),
            std::int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec,
            static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

// An exclusive lock that goes with the process, so a killed program's file is free again.
bool lockExclusively(int fd)
{
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

// Gives `from` the name `to` unless a file has that name already; an errno value or 0. The
// flag is checked by the kernel itself and also works where there are no hard links (FAT);
// link() serves the file systems that refuse the flag.
int putInPlace(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && !posix::fileSystemLacks(errno))
        return errno;
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    if (errno != EPERM && !posix::fileSystemLacks(errno))
        return errno;
    // Neither (a FUSE file system without hard links): a plain rename after a look. Only a
    // program that picked the same random name in between could lose its file.
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0)
        return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

} // namespace

std::optional<FileIdentity> fileIdentity(const std::filesystem::path& file)
{
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        throw FileError(file, posix::systemReason(errno));
    }
    return identityOf(st);
}

std::int64_t fileClockNow()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::unique_ptr<HeldFile> HeldFile::create(const std::filesystem::path& file)
{
    // Locked under a name no other program looks for, then put in place: a program looking
    // for files left behind never finds this one unlocked.
    std::filesystem::path passing = file;
    passing += ".new-" + std::to_string(::getpid());
    const int fd = ::open(passing.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        throw FileError(file, posix::systemReason(errno));
    std::unique_ptr<HeldFile> held(new HeldFile(passing, fd));
    if (!lockExclusively(fd)) {
        const int error = errno;
        held->remove();
        throw FileError(file, posix::systemReason(error));
    }
    if (const int error = putInPlace(passing, file); error != 0) {
        held->remove();
        throw FileError(file, posix::systemReason(error));
    }
    held->path_ = file;
    return held;
}

std::unique_ptr<HeldFile> HeldFile::takeOver(const std::filesystem::path& file)
{
    const int fd = ::open(file.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        throw FileError(file, posix::systemReason(errno));
    std::unique_ptr<HeldFile> held(new HeldFile(file, fd));
    if (!lockExclusively(fd)) {
        if (errno == EWOULDBLOCK)
            return nullptr;
        throw FileError(file, posix::systemReason(errno));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        throw FileError(file, posix::readReason(EINVAL));
    return held;
}

HeldFile::~HeldFile()
{
    close();
}

void HeldFile::close()
{
    if (handle_ >= 0)
        ::close(static_cast<int>(handle_));
    handle_ = -1;
}

std::string HeldFile::readAll()
{
    const int fd = static_cast<int>(handle_);
    std::string bytes;
    int error = ::lseek(fd, 0, SEEK_SET) < 0 ? errno : posix::readOpenFile(fd, bytes);
    if (error != 0)
        throw FileError(path_, posix::readReason(error));
    return bytes;
}

void HeldFile::append(std::string_view bytes)
{
    const int fd = static_cast<int>(handle_);
    if (::lseek(fd, 0, SEEK_END) < 0)
        throw FileError(path_, posix::systemReason(errno));
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw FileError(path_, posix::systemReason(errno));
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (::fdatasync(fd) != 0)
        throw FileError(path_, posix::systemReason(errno));
}

void HeldFile::remove()
{
    // Deleted before the lock goes: no other program can take it over in between.
    const int error = ::unlink(path_.c_str()) != 0 && errno != ENOENT ? errno : 0;
    close();
    if (error != 0)
        throw FileError(path_, posix::systemReason(error));
}

void HeldFile::moveTo(const std::filesystem::path& other)
{
    const int error = ::rename(path_.c_str(), other.c_str()) != 0 ? errno : 0;
    close();
    if (error != 0)
        throw FileError(path_, posix::systemReason(error));
    path_ = other;
}

} // namespace grimtally
