// What the system says a file is now (size, time of its last change, which file on which
// volume), and the program's own files that only one running program may hold: the recovery
// journal. One implementation per kind of system, in posix/ and windows/.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace grimtally {

struct FileIdentity {
    std::uint64_t size = 0;
    std::int64_t modified = 0; // nanoseconds since 1970
    std::uint64_t volume = 0;  // the device, or the volume's serial number
    std::uint64_t index = 0;   // the inode, or the file index on the volume

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The file `file` names now, links followed; nothing when there is no such file. Throws
// FileError when the system cannot tell.
std::optional<FileIdentity> fileIdentity(const std::filesystem::path& file);

// The time now, in the units of FileIdentity::modified.
std::int64_t fileClockNow();

// A file of the program's own that this process alone holds while it is open, also against
// other running programs: appended to, each piece on disk before append returns.
class HeldFile {
public:
    // A new file, held before any other program can see it (made under a passing name and
    // moved into place). Throws FileError, also when `file` exists.
    static std::unique_ptr<HeldFile> create(const std::filesystem::path& file);
    // An existing file left by a program that no longer runs; nothing when a running program
    // holds it. Throws FileError when it cannot be opened.
    static std::unique_ptr<HeldFile> takeOver(const std::filesystem::path& file);
    ~HeldFile(); // lets go of the file and leaves it where it is

    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string readAll();
    // Writes at the end and flushes to the disk. Throws FileError.
    void append(std::string_view bytes);
    // Lets go of the file and deletes it; then renames it. Both throw FileError.
    void remove();
    void moveTo(const std::filesystem::path& other);

private:
    HeldFile(std::filesystem::path path, std::intptr_t handle)
        : path_(std::move(path)), handle_(handle)
    {}
    void close();

    std::filesystem::path path_;
    std::intptr_t handle_; // the descriptor or the HANDLE
};

} // namespace grimtally
