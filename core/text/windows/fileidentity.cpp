// File identities and held files with the Windows API: file information by handle, sharing
// modes as the lock, FlushFileBuffers.
#include "core/text/fileidentity.h"

#include "core/text/textfile.h"
#include "core/text/windows/windowsfile.h"

#include <algorithm>

namespace grimtally {

using namespace windows;

namespace {

// FILETIME counts 100 ns steps from 1601.
constexpr std::int64_t kFrom1601To1970 = 116444736000000000LL;

std::int64_t nanosecondsSince1970(FILETIME time)
{
    const std::int64_t steps =
        static_cast<std::int64_t>((std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime);
    return (steps - kFrom1601To1970) * 100;
}

HANDLE handleOf(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

// Others may read a held file, and delete or rename it as this program does, but no other
// program may open it for writing: that refusal is the lock, and it goes with the process.
constexpr DWORD kHeldSharing = FILE_SHARE_READ | FILE_SHARE_DELETE;

} // namespace

std::optional<FileIdentity> fileIdentity(const std::filesystem::path& file)
{
    const HANDLE handle =
        ::CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return std::nullopt;
        throw FileError(file, systemReason(error));
    }
    HandleGuard guard(handle);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info))
        throw FileError(file, systemReason(::GetLastError()));
    return FileIdentity{(std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow,
                        nanosecondsSince1970(info.ftLastWriteTime), info.dwVolumeSerialNumber,
                        (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

std::int64_t fileClockNow()
{
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    return nanosecondsSince1970(now);
}

std::unique_ptr<HeldFile> HeldFile::create(const std::filesystem::path& file)
{
    // Made and held in one step: no other program can open it for writing in between.
    const HANDLE handle =
        ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, kHeldSharing, nullptr,
                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw FileError(file, systemReason(::GetLastError()));
    return std::unique_ptr<HeldFile>(new HeldFile(file, reinterpret_cast<std::intptr_t>(handle)));
}

std::unique_ptr<HeldFile> HeldFile::takeOver(const std::filesystem::path& file)
{
    const HANDLE handle =
        ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, kHeldSharing, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
            return nullptr;
        throw FileError(file, systemReason(error));
    }
    std::unique_ptr<HeldFile> held(new HeldFile(file, reinterpret_cast<std::intptr_t>(handle)));
    if (::GetFileType(handle) != FILE_TYPE_DISK)
        throw FileError(file, "Not a regular file");
    return held;
}

HeldFile::~HeldFile()
{
    close();
}

void HeldFile::close()
{
    if (handleOf(handle_) != INVALID_HANDLE_VALUE)
        ::CloseHandle(handleOf(handle_));
    handle_ = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);
}

std::string HeldFile::readAll()
{
    const HANDLE handle = handleOf(handle_);
    LARGE_INTEGER start{};
    if (!::SetFilePointerEx(handle, start, nullptr, FILE_BEGIN))
        throw FileError(path_, systemReason(::GetLastError()));
    std::string bytes;
    char chunk[65536];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(handle, chunk, sizeof chunk, &read, nullptr))
            throw FileError(path_, systemReason(::GetLastError()));
        if (read == 0)
            return bytes;
        bytes.append(chunk, read);
    }
}

void HeldFile::append(std::string_view bytes)
{
    const HANDLE handle = handleOf(handle_);
    LARGE_INTEGER end{};
    if (!::SetFilePointerEx(handle, end, nullptr, FILE_END))
        throw FileError(path_, systemReason(::GetLastError()));
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!::WriteFile(handle, bytes.data(), wanted, &written, nullptr))
            throw FileError(path_, systemReason(::GetLastError()));
        bytes.remove_prefix(written);
    }
    if (!::FlushFileBuffers(handle))
        throw FileError(path_, systemReason(::GetLastError()));
}

void HeldFile::remove()
{
    // Marked for deletion through the handle, so that it goes as the lock goes.
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    const DWORD error = ::SetFileInformationByHandle(handleOf(handle_), FileDispositionInfo,
                                                     &disposition, sizeof disposition)
                            ? 0
                            : ::GetLastError();
    close();
    if (error != 0)
        throw FileError(path_, systemReason(error));
}

void HeldFile::moveTo(const std::filesystem::path& other)
{
    close();
    if (!::MoveFileExW(path_.c_str(), other.c_str(), MOVEFILE_WRITE_THROUGH))
        throw FileError(path_, systemReason(::GetLastError()));
    path_ = other;
}

} // namespace grimtally
