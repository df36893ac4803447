// Saving whole files with the Windows API: a temporary file beside the target, flushed, then
// put in its place by ReplaceFileW, which keeps the target's attributes, security and creation
// time. Windows has no owner and group to keep as POSIX systems do, and a data file with a
// second name (a hard link) is rare there: such a name keeps the old content, as after a
// rename on POSIX. So there is no rewrite in place, and no kept copy of an interrupted one.
#include "core/text/savefile.h"

#include "core/text/blockstreambuf.h"
#include "core/text/textfile.h"
#include "core/text/windows/windowsfile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <random>
#include <streambuf>

namespace grimtally {

using namespace windows;

namespace {

// When this program began: a temporary file of ours that is older was left by a save that was
// killed, never by one still under way.
const auto kProgramStart = std::filesystem::file_time_type::clock::now();

// The names of temporary files: six letters or digits in place of the X's.
constexpr std::string_view kTemporarySuffix = ".tmp-XXXXXX";
constexpr std::string_view kLongNameTemporary = ".grimtally.tmp-XXXXXX";
constexpr std::size_t kRandomPart = 6;

// The file handle's side of the stream buffer; it remembers why a write failed, so that a full
// disk is reported as such.
class HandleStreamBuf : public BlockStreamBuf {
public:
    explicit HandleStreamBuf(HANDLE handle) : handle_(handle) {}

protected:
    bool writeBlock(const char* data, std::size_t size) override
    {
        while (size > 0) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20));
            if (!::WriteFile(handle_, data, chunk, &written, nullptr)) {
                error_ = ::GetLastError();
                return false;
            }
            if (written == 0) {
                error_ = ERROR_WRITE_FAULT;
                return false;
            }
            data += written;
            size -= written;
        }
        return true;
    }
    std::string writeFailure() const override { return systemReason(error_); }

private:
    HANDLE handle_;
    DWORD error_ = 0;
};

// A new temporary file beside the target, created so that nobody else can have it open.
HANDLE createTemporary(const std::filesystem::path& file, std::filesystem::path& name)
{
    static std::mt19937 random{std::random_device{}()};
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const std::u8string filename = file.filename().u8string();
    const std::filesystem::path pattern =
        filename.size() > 200
            ? file.parent_path() / kLongNameTemporary
            : file.parent_path() /
                  (filename + std::u8string(kTemporarySuffix.begin(), kTemporarySuffix.end()));
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring wide = pattern.native();
        for (std::size_t i = wide.size() - kRandomPart; i < wide.size(); ++i)
            wide[i] = static_cast<wchar_t>(kLetters[random() % (sizeof kLetters - 1)]);
        const HANDLE handle = ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) {
            name = wide;
            return handle;
        }
    }
    ::SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

// The temporary file of a save: removed on every way out unless it was put in place.
class TemporaryFile {
public:
    TemporaryFile(HANDLE handle, std::filesystem::path name)
        : handle_(handle), name_(std::move(name))
    {}
    ~TemporaryFile()
    {
        if (handle_.get() != INVALID_HANDLE_VALUE)
            handle_.close();
        if (!kept_)
            ::DeleteFileW(name_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    HANDLE handle() const { return handle_.get(); }
    const std::filesystem::path& name() const { return name_; }
    bool close() { return handle_.close(); }
    void keep() { kept_ = true; }

private:
    HandleGuard handle_;
    std::filesystem::path name_;
    bool kept_ = false;
};

// What a failed ReplaceFileW means for the user: the usual cause of each is named.
std::string replaceReason(DWORD error)
{
    switch (error) {
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "The file is open in another program, which does not let it be replaced; close "
               "it there and save again";
    default:
        return systemReason(error);
    }
}

// True for "<prefix>" followed by the six letters or digits of a temporary name.
bool isTemporaryOf(const std::wstring& name, const std::wstring& prefix)
{
    if (name.size() != prefix.size() + kRandomPart || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](wchar_t c) { return c < 0x80 && std::isalnum(static_cast<int>(c)); });
}

// After a save of `file` has succeeded: what killed saves of it left beside it goes, by the
// program's own names and only when older than this program.
void removeLeftoverTemporaries(const std::filesystem::path& file)
{
    const std::wstring name = file.filename().native();
    const std::wstring temporary(kTemporarySuffix.begin(), kTemporarySuffix.end() - kRandomPart);
    const std::wstring longName(kLongNameTemporary.begin(), kLongNameTemporary.end() - kRandomPart);
    // The kept copy's temporaries come from POSIX systems only, a synchronised folder perhaps.
    const std::wstring keptCopy = name + L".grimtally-old" + temporary;
    std::error_code error;
    std::filesystem::path folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::wstring entryName = entry.path().filename().native();
        if (!isTemporaryOf(entryName, name + temporary) && !isTemporaryOf(entryName, longName) &&
            !isTemporaryOf(entryName, keptCopy))
            continue;
        std::error_code timeError;
        if (entry.is_regular_file(timeError) &&
            std::filesystem::last_write_time(entry.path(), timeError) < kProgramStart && !timeError)
            ::DeleteFileW(entry.path().c_str());
    }
}

} // namespace

void writeFileAtomically(const std::filesystem::path& file,
                         const std::function<void(std::ostream&)>& writer)
{
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists && ::GetLastError() != ERROR_FILE_NOT_FOUND)
        throw FileError(file, systemReason(::GetLastError()));
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw FileError(file, "Is a directory");
    // A file the user made read-only is not to be replaced.
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY))
        throw FileError(file, "The file is read-only");
    // Replacing needs the right to delete the file, which a program holding it open without
    // sharing that right (a spreadsheet holding a CSV file) denies: found out before writing.
    if (exists) {
        const HANDLE probe = ::CreateFileW(file.c_str(), DELETE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (probe == INVALID_HANDLE_VALUE)
            throw FileError(file, replaceReason(::GetLastError()));
        ::CloseHandle(probe);
    }

    std::filesystem::path name;
    const HANDLE handle = createTemporary(file, name);
    if (handle == INVALID_HANDLE_VALUE)
        throw FileError(file, systemReason(::GetLastError()));
    TemporaryFile temp(handle, name);
    const auto fail = [&](const std::string& reason) { throw FileError(file, reason); };

    HandleStreamBuf(temp.handle()).writeAll(file, writer);
    if (!::FlushFileBuffers(temp.handle()))
        fail(systemReason(::GetLastError()));
    if (!temp.close())
        fail(systemReason(::GetLastError()));

    if (!exists) {
        if (!::MoveFileExW(temp.name().c_str(), file.c_str(), MOVEFILE_WRITE_THROUGH))
            fail(systemReason(::GetLastError()));
    } else if (!::ReplaceFileW(file.c_str(), temp.name().c_str(), nullptr,
                               REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        const DWORD error = ::GetLastError();
        // The old file is gone already and the new one still has its temporary name: finish
        // the move, and keep the new content where it is if even that fails.
        if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
            if (!::MoveFileExW(temp.name().c_str(), file.c_str(), MOVEFILE_WRITE_THROUGH)) {
                temp.keep();
                fail(systemReason(::GetLastError()) + "; the new content is in " +
                     pathToUtf8(temp.name()));
            }
        } else {
            fail(replaceReason(error));
        }
    }
    temp.keep();
    removeLeftoverTemporaries(file);
}

void writeFileAtomically(const std::filesystem::path& file, std::string_view contents)
{
    writeFileAtomically(file, [contents](std::ostream& out) {
        out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    });
}

std::optional<std::filesystem::path> interruptedSaveCopy(const std::filesystem::path&)
{
    return std::nullopt; // nothing is ever rewritten in place here
}

void restoreInterruptedSave(const std::filesystem::path&)
{}

std::filesystem::path userStateFolder()
{
    const wchar_t* local = ::_wgetenv(L"LOCALAPPDATA");
    return std::filesystem::path(local && *local ? local : L".") / "Grimtally";
}

} // namespace grimtally
