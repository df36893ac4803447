// Reading whole files with the Windows API, through wide paths.
#include "core/text/textfile.h"
#include "core/text/windows/windowsfile.h"

#include <algorithm>
#include <cstring>

namespace grimtally {

namespace windows {

std::string systemReason(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length == 0 || !text)
        return "system error " + std::to_string(error);
    std::wstring wide(text, length);
    ::LocalFree(text);
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' ' ||
                             wide.back() == L'.'))
        wide.pop_back();
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                          nullptr, nullptr);
    return utf8;
}

} // namespace windows

using namespace windows;

namespace {

constexpr DWORD kChunk = 1 << 20;

// Opens a regular file for reading; others may go on reading and writing it meanwhile, as
// they may on POSIX systems. Throws FileError; `missing` is set instead when it is not there.
HANDLE openForReading(const std::filesystem::path& file, bool* missing)
{
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw FileError(file, "Is a directory");
    const HANDLE handle = ::CreateFileW(
        file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (missing && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)) {
            *missing = true;
            return handle;
        }
        throw FileError(file, systemReason(error));
    }
    // A pipe, a console or a device would hang or flood the program.
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        ::CloseHandle(handle);
        throw FileError(file, "Not a regular file");
    }
    return handle;
}

// Reads from where the handle stands to the end into `room`, growing it as needed; returns
// the bytes read.
template <typename Grow>
std::size_t readAll(const std::filesystem::path& file, HANDLE handle, char*& room,
                    std::size_t& capacity, Grow grow)
{
    std::size_t size = 0;
    for (;;) {
        if (size == capacity)
            grow(capacity * 2);
        DWORD read = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(capacity - size, kChunk));
        if (!::ReadFile(handle, room + size, wanted, &read, nullptr))
            throw FileError(file, systemReason(::GetLastError()));
        if (read == 0)
            return size;
        size += read;
    }
}

std::size_t sizeHint(HANDLE handle)
{
    LARGE_INTEGER size{};
    return ::GetFileSizeEx(handle, &size) ? static_cast<std::size_t>(size.QuadPart) : 0;
}

std::string readOpenFile(const std::filesystem::path& file, HANDLE handle)
{
    std::string bytes(sizeHint(handle) + 1, '\0');
    char* room = bytes.data();
    std::size_t capacity = bytes.size();
    const std::size_t size = readAll(file, handle, room, capacity, [&](std::size_t larger) {
        bytes.resize(larger);
        room = bytes.data();
        capacity = larger;
    });
    bytes.resize(size);
    return bytes;
}

} // namespace

std::string readWholeFile(const std::filesystem::path& file)
{
    HandleGuard handle(openForReading(file, nullptr));
    return readOpenFile(file, handle.get());
}

std::shared_ptr<char[]> fileBuffer(std::size_t size)
{
    // Large pages need a privilege users do not have: a plain allocation.
    return std::shared_ptr<char[]>(new char[std::max<std::size_t>(size, 1)]);
}

FileBytes readWholeFileShared(const std::filesystem::path& file)
{
    HandleGuard handle(openForReading(file, nullptr));
    std::size_t capacity = sizeHint(handle.get()) + 1;
    FileBytes bytes{fileBuffer(capacity), 0};
    char* room = bytes.data.get();
    bytes.size = readAll(file, handle.get(), room, capacity, [&](std::size_t larger) {
        std::shared_ptr<char[]> grown = fileBuffer(larger);
        std::memcpy(grown.get(), bytes.data.get(), capacity);
        bytes.data = std::move(grown);
        room = bytes.data.get();
        capacity = larger;
    });
    return bytes;
}

std::string readWholeFileIfExists(const std::filesystem::path& file)
{
    bool missing = false;
    HandleGuard handle(openForReading(file, &missing));
    if (missing)
        return {};
    return readOpenFile(file, handle.get());
}

} // namespace grimtally
