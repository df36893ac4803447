// What a file held when the program read or wrote it, to tell later whether another program
// has changed, replaced or removed it since.
#pragma once

#include "core/text/fileidentity.h"

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace grimtally {

struct FileFingerprint {
    FileIdentity identity; // as the system told it just after the read or write
    std::int64_t takenAt = 0;
    std::uint64_t hash = 0; // ContentHash of the bytes read or written
    std::uint64_t size = 0;
};

// The fingerprint of `file` just read or written as bytes of `size` and `hash`. Throws
// FileError when the file cannot be looked at.
FileFingerprint fingerprintAfter(const std::filesystem::path& file, std::uint64_t size,
                                 std::uint64_t hash);

enum class FileChange { None, Changed, Removed };

// Whether `file` still holds what `fingerprint` says. Where the system's identity and time
// leave a doubt (a change within the same tick of the file clock, a file replaced by another
// of the same size), the content is read and hashed: only other bytes count as a change.
// Throws FileError when the file is there but cannot be read.
FileChange changeSince(const std::filesystem::path& file, const FileFingerprint& fingerprint);

// Whether two paths name the same file (the same file through links, too). Never throws.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace grimtally
