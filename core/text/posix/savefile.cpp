// Saving whole files with POSIX calls: a temporary file renamed over the target, or a rewrite
// in place with the old content kept on disk.
#include "core/text/savefile.h"

#include "core/text/blockstreambuf.h"
#include "core/text/posix/posixfile.h"
#include "core/text/textfile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <pwd.h>
#include <sstream>
#include <streambuf>
#include <sys/stat.h>

namespace grimtally {

using namespace posix;

namespace {

// The file descriptor's side of the stream buffer; it remembers why a write failed, so that a
// full disk is reported as such and not as a vague stream error.
class FdStreamBuf : public BlockStreamBuf {
public:
    explicit FdStreamBuf(int fd) : fd_(fd) {}

protected:
    bool writeBlock(const char* data, size_t size) override
    {
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
            written_ += static_cast<std::uint64_t>(n);
        }
        startWriteback();
        return true;
    }
    std::string writeFailure() const override { return systemReason(error_); }

private:
    // A large file is put on its way to the disk while the rest is still being made, so that
    // the flush at the end waits only for the last part; before, the system would hold it
    // all in memory until then.
    void startWriteback()
    {
#if defined(__linux__) && defined(SYNC_FILE_RANGE_WRITE)
        constexpr std::uint64_t kStep = std::uint64_t{8} << 20;
        if (written_ - handedOver_ < kStep)
            return;
        ::sync_file_range(fd_, static_cast<off64_t>(handedOver_),
                          static_cast<off64_t>(written_ - handedOver_), SYNC_FILE_RANGE_WRITE);
        handedOver_ = written_;
#endif
    }

    int fd_;
    int error_ = 0;
    std::uint64_t written_ = 0;    // bytes written to the file so far
    std::uint64_t handedOver_ = 0; // of those, the bytes whose writeback was started
};

mode_t permissionsForNewFile()
{
    // umask can only be read by setting it; the program writes files from one thread only.
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Past the file-size limit a write must fail with EFBIG, which we report, instead of the
// signal ending the program. A handler installed by someone else stays.
void ignoreFileSizeSignal()
{
    static const bool once = [] {
        struct sigaction current {};
        if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && !(current.sa_flags & SA_SIGINFO) &&
            current.sa_handler == SIG_DFL) {
            struct sigaction ignore {};
            ignore.sa_handler = SIG_IGN;
            sigemptyset(&ignore.sa_mask);
            ::sigaction(SIGXFSZ, &ignore, nullptr);
        }
        return true;
    }();
    (void)once;
}

// The path a save writes to: symbolic links are followed to the name they hold, also when
// nothing exists there yet, so that a link is never replaced by a plain file.
std::filesystem::path followLinks(const std::filesystem::path& requested)
{
    std::filesystem::path file = requested;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(file.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return file;
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(file.c_str(), target.data(), target.size());
        if (length < 0)
            throw FileError(requested, systemReason(errno));
        if (static_cast<size_t>(length) == target.size())
            throw FileError(requested, systemReason(ENAMETOOLONG));
        target.resize(static_cast<size_t>(length));
        const std::filesystem::path next(target);
        file = next.is_absolute() ? next : file.parent_path() / next;
    }
    throw FileError(requested, systemReason(ELOOP));
}

// What the writer writes, in memory; the writer's failures become FileError, as on disk.
std::string renderToString(const std::filesystem::path& requested,
                           const std::function<void(std::ostream&)>& writer)
{
    std::ostringstream out;
    try {
        writer(out);
    } catch (const FileError&) {
        throw;
    } catch (const std::exception& error) {
        throw FileError(requested, error.what());
    } catch (...) {
        throw FileError(requested, "unknown error while writing");
    }
    if (!out)
        throw FileError(requested, "write error");
    return std::move(out).str();
}

bool writeAllAt(int fd, std::string_view bytes, off_t offset)
{
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
        offset += n;
    }
    return true;
}

// The new file would otherwise belong to whoever saves it. False when the system refuses
// (only root may give a file away, and only to a group one belongs to).
bool takeOwnerAndGroup(int fd, const struct stat& old)
{
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return false;
    if (now.st_uid == old.st_uid && now.st_gid == old.st_gid)
        return true;
    return ::fchown(fd, old.st_uid, old.st_gid) == 0;
}

// A file system that keeps no permissions of its own (FAT, exFAT, many FUSE file systems)
// refuses to change them: with EPERM when the mount fixes them, as a FAT partition mounted
// with a umask does, or as not implemented. The file we just made is ours, so on a file system
// that keeps them no other refusal is possible, and the save goes on with the mount's.
bool modesAreFixed(int fd, int error)
{
    struct stat st {};
    return (error == EPERM || fileSystemLacks(error)) &&
           ::fstat(fd, &st) == 0 && st.st_uid == ::geteuid();
}

// The temporary file of a save: removed on every way out unless it was renamed into place.
class TemporaryFile {
public:
    TemporaryFile(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}
    ~TemporaryFile()
    {
        if (fd_.get() >= 0)
            fd_.close();
        if (!kept_)
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::filesystem::path& path() const { return path_; }
    int close() { return fd_.close(); }
    void keep() { kept_ = true; }
    void remove()
    {
        if (fd_.get() >= 0)
            fd_.close();
        ::unlink(path_.c_str());
        kept_ = true;
    }

private:
    FdGuard fd_;
    std::filesystem::path path_;
    bool kept_ = false;
};

// When this program began: a temporary file of ours that is older was left by a save that was
// killed, never by one still under way.
const auto kProgramStart = std::filesystem::file_time_type::clock::now();

constexpr std::string_view kKeptSuffix = ".grimtally-old";
// The names of temporary files: mkstemp puts six letters or digits in place of the X's.
constexpr std::string_view kTemporarySuffix = ".tmp-XXXXXX";
constexpr std::string_view kLongNameTemporary = ".grimtally.tmp-XXXXXX";
constexpr std::size_t kRandomPart = 6;

// Where a rewrite in place keeps a file's old content: beside it when the name fits, and in
// the user's state folder under the file's device and inode, which a rewrite in place keeps.
struct KeptCopyNames {
    std::filesystem::path beside;
    std::filesystem::path inStateFolder;
};

KeptCopyNames keptCopyNames(const std::filesystem::path& file, const struct stat& st)
{
    KeptCopyNames names;
    if (file.filename().string().size() + kKeptSuffix.size() <= NAME_MAX)
        names.beside = file.string() + std::string(kKeptSuffix);
    names.inStateFolder =
        userStateFolder() /
        (std::to_string(st.st_dev) + '-' + std::to_string(st.st_ino) + std::string(kKeptSuffix));
    return names;
}

bool isRegularFile(const std::filesystem::path& file)
{
    struct stat st {};
    return ::lstat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::filesystem::path> existingCopy(const KeptCopyNames& names)
{
    for (const std::filesystem::path& copy : {names.beside, names.inStateFolder}) {
        if (!copy.empty() && isRegularFile(copy))
            return copy;
    }
    return std::nullopt;
}

void saveWhole(const std::filesystem::path& requested,
               const std::function<void(std::ostream&)>& writer, mode_t newFileMode);

// Puts the old content on disk, flushed, before a rewrite in place touches the file: beside
// it when its folder takes a new file, else in the state folder. Readable by the user only.
std::filesystem::path keepAside(const std::filesystem::path& requested, const KeptCopyNames& names,
                                std::string_view old)
{
    std::string reason = "no place for it";
    for (const std::filesystem::path& copy : {names.beside, names.inStateFolder}) {
        // Something else by that name (a link, say) is not ours to write through.
        struct stat st {};
        if (copy.empty() || ::lstat(copy.c_str(), &st) == 0)
            continue;
        try {
            if (copy == names.inStateFolder) {
                std::filesystem::create_directories(copy.parent_path().parent_path());
                if (::mkdir(copy.parent_path().c_str(), 0700) != 0 && errno != EEXIST)
                    throw FileError(copy.parent_path(), systemReason(errno));
            }
            saveWhole(
                copy,
                [old](std::ostream& out) {
                    out.write(old.data(), static_cast<std::streamsize>(old.size()));
                },
                0600);
            return copy;
        } catch (const FileError& error) {
            reason = error.what();
        } catch (const std::filesystem::filesystem_error& error) {
            reason = error.what();
        }
    }
    throw FileError(requested,
                    "nothing was written: the old content could not be kept aside first (" +
                        reason + ")");
}

// Replaces the content of the file itself, so its inode keeps its other names, owner, group
// and permissions, and no new file is needed in its folder. The old content is kept on disk
// until the new content is: a save killed part-way leaves it there, named, and a failed one
// writes it back.
void rewriteInPlace(const std::filesystem::path& requested, const std::filesystem::path& file,
                    std::string_view fresh)
{
    const int fd = ::open(file.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw FileError(requested, systemReason(errno));
    FdGuard guard(fd);
    std::string old;
    if (const int error = readOpenFile(fd, old); error != 0)
        throw FileError(requested, readReason(error));
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        throw FileError(requested, systemReason(errno));

    // A copy left by an interrupted save holds the last content known whole: it stays the copy.
    const KeptCopyNames names = keptCopyNames(file, st);
    std::optional<std::filesystem::path> copy = existingCopy(names);
    const bool ownCopy = !copy;
    if (ownCopy)
        copy = keepAside(requested, names, old);
    const auto dropOwnCopy = [&] {
        if (ownCopy)
            ::unlink(copy->c_str());
    };

    // Claim the room first: a full disk then fails before a single old byte is touched.
    if (fresh.size() > old.size() &&
        ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(fresh.size())) != 0 &&
        !fileSystemLacks(errno)) {
        const int error = errno;
        dropOwnCopy();
        throw FileError(requested, systemReason(error));
    }

    const bool written = writeAllAt(fd, fresh, 0) &&
                         ::ftruncate(fd, static_cast<off_t>(fresh.size())) == 0 && ::fsync(fd) == 0;
    if (written) {
        if (guard.close() != 0)
            throw FileError(requested,
                            systemReason(errno) + "; the old content is kept in " + copy->string());
        ::unlink(copy->c_str());
        return;
    }
    const int error = errno;
    const bool restored = writeAllAt(fd, old, 0) &&
                          ::ftruncate(fd, static_cast<off_t>(old.size())) == 0 && ::fsync(fd) == 0;
    if (restored)
        dropOwnCopy();
    throw FileError(requested,
                    systemReason(error) +
                        (restored ? "" : "; the old content is kept in " + copy->string()));
}

// True for "<prefix>" followed by what mkstemp puts in.
bool isTemporaryOf(std::string_view name, std::string_view prefix)
{
    if (name.size() != prefix.size() + kRandomPart || !name.starts_with(prefix))
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// Removes what saves of `file` that were killed left in `folder`: temporary files by the
// program's own names, owned by this user, older than this program.
void removeLeftoverTemporaries(const std::filesystem::path& folder,
                               std::initializer_list<std::string> prefixes)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (std::none_of(prefixes.begin(), prefixes.end(),
                         [&](const std::string& prefix) { return isTemporaryOf(name, prefix); }))
            continue;
        struct stat st {};
        std::error_code timeError;
        if (::lstat(entry.path().c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid() ||
            std::filesystem::last_write_time(entry.path(), timeError) >= kProgramStart || timeError)
            continue;
        ::unlink(entry.path().c_str());
    }
}

// After a save of `file` has succeeded: its old content is no longer needed anywhere, and
// what killed saves of it left behind goes. `old` is the file as it was before the save.
void tidyUpAfterSave(const std::filesystem::path& file, const struct stat* old)
{
    std::filesystem::path folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    const std::string name = file.filename().string();
    const std::string temporary(kTemporarySuffix.substr(0, kTemporarySuffix.size() - kRandomPart));
    const std::string longName(
        kLongNameTemporary.substr(0, kLongNameTemporary.size() - kRandomPart));
    removeLeftoverTemporaries(
        folder, {name + temporary, name + std::string(kKeptSuffix) + temporary, longName});
    if (old) {
        const KeptCopyNames names = keptCopyNames(file, *old);
        for (const std::filesystem::path& copy : {names.beside, names.inStateFolder}) {
            if (!copy.empty() && isRegularFile(copy))
                ::unlink(copy.c_str());
        }
        removeLeftoverTemporaries(names.inStateFolder.parent_path(),
                                  {names.inStateFolder.filename().string() + temporary});
    }
}

void saveWhole(const std::filesystem::path& requested,
               const std::function<void(std::ostream&)>& writer, mode_t newFileMode)
{
    ignoreFileSizeSignal();
    const std::filesystem::path file = followLinks(requested);

    mode_t mode = newFileMode;
    struct stat st {};
    const bool exists = ::stat(file.c_str(), &st) == 0;
    if (!exists && errno != ENOENT)
        throw FileError(requested, systemReason(errno));
    if (exists) {
        if (S_ISDIR(st.st_mode))
            throw FileError(requested, systemReason(EISDIR));
        // A pipe or a device would be replaced by a plain file, and never opened.
        if (!S_ISREG(st.st_mode))
            throw FileError(requested, readReason(EINVAL));
        // A file the user made read-only is not to be replaced, even though the folder
        // would allow the rename. The mode bits are checked too because root passes access().
        if ((st.st_mode & 0222) == 0 || ::access(file.c_str(), W_OK) != 0)
            throw FileError(requested, systemReason(EACCES));
        mode = st.st_mode & 07777;
        // A rename would leave the file's other names with the old content.
        if (st.st_nlink > 1) {
            rewriteInPlace(requested, file, renderToString(requested, writer));
            return tidyUpAfterSave(file, &st);
        }
    }

    // Beside the target, so the rename stays on one file system; a very long name gets a
    // short temporary name instead of failing on the name length limit.
    std::string tempName = file.filename().string().size() > 200
                               ? (file.parent_path() / kLongNameTemporary).string()
                               : file.string() + std::string(kTemporarySuffix);
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0) {
        const int error = errno;
        // A folder the user may not write into, holding a file the user may write.
        if (exists && (error == EACCES || error == EPERM)) {
            rewriteInPlace(requested, file, renderToString(requested, writer));
            return tidyUpAfterSave(file, &st);
        }
        throw FileError(requested, systemReason(error));
    }
    TemporaryFile temp(fd, tempName);
    auto fail = [&](const std::string& reason) { throw FileError(requested, reason); };

    FdStreamBuf(fd).writeAll(requested, writer);
    if (exists && !takeOwnerAndGroup(fd, st)) {
        // The new file would belong to someone else than the old one; its own inode keeps
        // both. The new content is already on disk, so read it back from there.
        std::string fresh = readWholeFile(temp.path());
        temp.remove();
        rewriteInPlace(requested, file, fresh);
        return tidyUpAfterSave(file, &st);
    }
    // After the owner: changing the owner may clear the set-user-ID and set-group-ID bits.
    if (::fchmod(fd, mode) != 0) {
        if (const int error = errno; !modesAreFixed(fd, error))
            fail(systemReason(error));
    }
    if (::fsync(fd) != 0)
        fail(systemReason(errno));
    if (temp.close() != 0)
        fail(systemReason(errno));
    if (::rename(temp.path().c_str(), file.c_str()) != 0)
        fail(systemReason(errno));
    temp.keep();

    // Make the rename itself durable; a failure here no longer endangers any data.
    std::filesystem::path folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    tidyUpAfterSave(file, exists ? &st : nullptr);
}

} // namespace

std::filesystem::path userStateFolder()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && std::filesystem::path(state).is_absolute())
        return std::filesystem::path(state) / "grimtally";
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const struct passwd* user = ::getpwuid(::geteuid());
        home = user ? user->pw_dir : "/tmp";
    }
    return std::filesystem::path(home) / ".local" / "state" / "grimtally";
}

std::optional<std::filesystem::path> interruptedSaveCopy(const std::filesystem::path& requested)
{
    const std::filesystem::path file = followLinks(requested);
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return existingCopy(keptCopyNames(file, st));
}

void restoreInterruptedSave(const std::filesystem::path& file)
{
    // Saving removes the copy once the content it held is back in the file.
    if (const std::optional<std::filesystem::path> copy = interruptedSaveCopy(file))
        writeFileAtomically(file, readWholeFile(*copy));
}

void writeFileAtomically(const std::filesystem::path& file,
                         const std::function<void(std::ostream&)>& writer)
{
    saveWhole(file, writer, permissionsForNewFile());
}

void writeFileAtomically(const std::filesystem::path& file, std::string_view contents)
{
    writeFileAtomically(file, [contents](std::ostream& out) {
        out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    });
}

} // namespace grimtally
