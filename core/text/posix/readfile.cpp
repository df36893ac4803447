// Reading whole files with POSIX calls.
#include "core/text/textfile.h"

#include "core/text/posix/posixfile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/mman.h>
#include <sys/stat.h>

namespace grimtally {

namespace posix {

std::string systemReason(int error)
{
    return std::strerror(error);
}

std::string readReason(int error)
{
    if (error == EINVAL)
        return "Not a regular file";
    return systemReason(error);
}

int readOpenFile(int fd, std::string& out)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return errno;
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    if (!S_ISREG(st.st_mode))
        return EINVAL;

    out.clear();
    // The size is only a hint: the file may grow or shrink while we read it.
    out.reserve(static_cast<size_t>(st.st_size) + 1);
    std::array<char, 65536> buffer;
    for (;;) {
        ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            break;
        out.append(buffer.data(), static_cast<size_t>(n));
    }
    return 0;
}

} // namespace posix

using namespace posix;

namespace {

int readFile(const std::filesystem::path& file, std::string& out)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno;
    FdGuard guard(fd);
    return readOpenFile(fd, out);
}

} // namespace

std::string readWholeFile(const std::filesystem::path& file)
{
    std::string bytes;
    if (int error = readFile(file, bytes); error != 0)
        throw FileError(file, readReason(error));
    return bytes;
}

std::shared_ptr<char[]> fileBuffer(std::size_t size)
{
    constexpr std::size_t kLarge = std::size_t{8} << 20;
    if (size < kLarge)
        return std::shared_ptr<char[]>(new char[std::max<std::size_t>(size, 1)]);
    void* pages = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED)
        throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    ::madvise(pages, size, MADV_HUGEPAGE); // a hint: without huge pages it stays as it is
#endif
    return std::shared_ptr<char[]>(static_cast<char*>(pages),
                                   [size](char* bytes) { ::munmap(bytes, size); });
}

FileBytes readWholeFileShared(const std::filesystem::path& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw FileError(file, readReason(errno));
    FdGuard guard(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        throw FileError(file, readReason(errno));
    if (S_ISDIR(st.st_mode))
        throw FileError(file, readReason(EISDIR));
    if (!S_ISREG(st.st_mode))
        throw FileError(file, readReason(EINVAL));

    // One byte more than the size, so the end shows without growing; a file that grows
    // while it is read gets a larger buffer.
    std::size_t capacity = static_cast<std::size_t>(st.st_size) + 1;
    FileBytes bytes{fileBuffer(capacity), 0};
    for (;;) {
        if (bytes.size == capacity) {
            capacity *= 2;
            std::shared_ptr<char[]> larger = fileBuffer(capacity);
            std::memcpy(larger.get(), bytes.data.get(), bytes.size);
            bytes.data = std::move(larger);
        }
        const ssize_t n = ::read(fd, bytes.data.get() + bytes.size, capacity - bytes.size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw FileError(file, readReason(errno));
        }
        if (n == 0)
            return bytes;
        bytes.size += static_cast<std::size_t>(n);
    }
}

std::string readWholeFileIfExists(const std::filesystem::path& file)
{
    std::string bytes;
    int error = readFile(file, bytes);
    if (error == ENOENT)
        return {};
    if (error != 0)
        throw FileError(file, readReason(error));
    return bytes;
}

} // namespace grimtally
