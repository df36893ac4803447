#include "core/text/textfile.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <streambuf>
#include <sys/stat.h>
#include <unistd.h>

namespace grimtally {

namespace {

std::string systemReason(int error)
{
    return std::strerror(error);
}

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

// Reads the file; returns 0 or the errno of the failure. Refuses anything but a regular
// file, so that a folder, a pipe or a device never hangs or floods the program.
int readFile(const std::filesystem::path& file, std::string& out)
{
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno;
    FdGuard guard(fd);
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

std::string readReason(int error)
{
    if (error == EINVAL)
        return "Not a regular file";
    return systemReason(error);
}

// A stream buffer over a file descriptor that remembers why a write failed, so a full disk
// is reported as such and not as a vague stream error.
class FdStreamBuf : public std::streambuf {
public:
    explicit FdStreamBuf(int fd) : fd_(fd)
    {
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }
    int error() const { return error_; }

protected:
    int_type overflow(int_type ch) override
    {
        if (!flushBuffer())
            return traits_type::eof();
        if (!traits_type::eq_int_type(ch, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(ch);
            pbump(1);
        }
        return traits_type::not_eof(ch);
    }

    int sync() override { return flushBuffer() ? 0 : -1; }

    std::streamsize xsputn(const char* s, std::streamsize count) override
    {
        // Large blocks go straight to the file instead of through the buffer.
        if (count >= static_cast<std::streamsize>(buffer_.size())) {
            if (!flushBuffer() || !writeAll(s, static_cast<size_t>(count)))
                return 0;
            return count;
        }
        return std::streambuf::xsputn(s, count);
    }

private:
    bool writeAll(const char* data, size_t size)
    {
        if (error_ != 0)
            return false;
        while (size > 0) {
            ssize_t n = ::write(fd_, data, size);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                error_ = errno;
                return false;
            }
            if (n == 0) {
                error_ = EIO;
                return false;
            }
            data += n;
            size -= static_cast<size_t>(n);
        }
        return true;
    }

    bool flushBuffer()
    {
        size_t pending = static_cast<size_t>(pptr() - pbase());
        bool ok = writeAll(pbase(), pending);
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        return ok;
    }

    int fd_;
    int error_ = 0;
    std::array<char, 65536> buffer_;
};

mode_t permissionsForNewFile()
{
    // umask can only be read by setting it; the program writes files from one thread only.
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

FileError::FileError(const std::filesystem::path& file, const std::string& reason)
    : std::runtime_error(file.string() + ": " + reason), file_(file)
{}

std::string readWholeFile(const std::filesystem::path& file)
{
    std::string bytes;
    if (int error = readFile(file, bytes); error != 0)
        throw FileError(file, readReason(error));
    return bytes;
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

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* start = begin;
    const char* p = begin;
    while (p < end) {
        char c = *p;
        if (c != '\r' && c != '\n') {
            ++p;
            continue;
        }
        lines.emplace_back(start, static_cast<size_t>(p - start));
        ++p;
        if (c == '\r' && p < end && *p == '\n')
            ++p;
        start = p;
    }
    if (start < end)
        lines.emplace_back(start, static_cast<size_t>(end - start));
    return lines;
}

void writeFileAtomically(const std::filesystem::path& requested,
                         const std::function<void(std::ostream&)>& writer)
{
    // Saving through a symbolic link replaces the file it points to, not the link itself.
    std::filesystem::path file = requested;
    {
        std::error_code ec;
        if (std::filesystem::is_symlink(requested, ec)) {
            auto resolved = std::filesystem::weakly_canonical(requested, ec);
            if (!ec)
                file = resolved;
        }
    }

    mode_t mode = permissionsForNewFile();
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            throw FileError(requested, systemReason(EISDIR));
        // A file the user made read-only is not to be replaced, even though the folder
        // would allow the rename. The mode bits are checked too because root passes access().
        if ((st.st_mode & 0222) == 0 || ::access(file.c_str(), W_OK) != 0)
            throw FileError(requested, systemReason(EACCES));
        mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        throw FileError(requested, systemReason(errno));
    }

    // Beside the target, so the rename stays on one file system; a very long name gets a
    // short temporary name instead of failing on the name length limit.
    std::string tempName = file.filename().string().size() > 200
                               ? (file.parent_path() / ".grimtally.tmp-XXXXXX").string()
                               : file.string() + ".tmp-XXXXXX";
    int fd = ::mkstemp(tempName.data());
    if (fd < 0)
        throw FileError(requested, systemReason(errno));
    FdGuard guard(fd);
    const std::filesystem::path tempPath(tempName);
    auto fail = [&](const std::string& reason) {
        if (guard.get() >= 0)
            guard.close();
        ::unlink(tempPath.c_str());
        throw FileError(requested, reason);
    };

    FdStreamBuf buffer(fd);
    {
        std::ostream out(&buffer);
        try {
            writer(out);
            out.flush();
        } catch (const FileError&) {
            ::unlink(tempPath.c_str());
            throw;
        } catch (const std::exception& error) {
            // A writer that turned on stream exceptions sees our write failure as one.
            fail(buffer.error() != 0 ? systemReason(buffer.error()) : std::string(error.what()));
        } catch (...) {
            fail("unknown error while writing");
        }
        if (!out)
            fail(buffer.error() != 0 ? systemReason(buffer.error()) : std::string("write error"));
    }
    if (::fchmod(fd, mode) != 0)
        fail(systemReason(errno));
    if (::fsync(fd) != 0)
        fail(systemReason(errno));
    if (guard.close() != 0)
        fail(systemReason(errno));
    if (::rename(tempPath.c_str(), file.c_str()) != 0)
        fail(systemReason(errno));

    // Make the rename itself durable; a failure here no longer endangers any data.
    std::filesystem::path folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

void writeFileAtomically(const std::filesystem::path& file, std::string_view contents)
{
    writeFileAtomically(file, [contents](std::ostream& out) {
        out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    });
}

} // namespace grimtally
