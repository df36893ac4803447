#include "core/text/filefingerprint.h"

#include "core/text/contenthash.h"
#include "core/text/textfile.h"

namespace grimtally {

namespace {

// File times are as coarse as two seconds on some volumes: a file changed within that time
// of being read may show the time it had when read.
constexpr std::int64_t kCoarsestFileClock = 2'000'000'000;

} // namespace

FileFingerprint fingerprintAfter(const std::filesystem::path& file, std::uint64_t size,
                                 std::uint64_t hash)
{
    FileFingerprint fingerprint;
    fingerprint.takenAt = fileClockNow();
    fingerprint.identity = fileIdentity(file).value_or(FileIdentity{});
    fingerprint.hash = hash;
    fingerprint.size = size;
    return fingerprint;
}

FileChange changeSince(const std::filesystem::path& file, const FileFingerprint& fingerprint)
{
    const std::optional<FileIdentity> now = fileIdentity(file);
    if (!now)
        return FileChange::Removed;
    if (now->size != fingerprint.size)
        return FileChange::Changed;
    // The same file, untouched since a time well before the fingerprint was taken.
    if (*now == fingerprint.identity &&
        fingerprint.takenAt - fingerprint.identity.modified >= kCoarsestFileClock)
        return FileChange::None;
    std::string bytes;
    try {
        bytes = readWholeFile(file);
    } catch (const FileError&) {
        if (!fileIdentity(file))
            return FileChange::Removed;
        throw;
    }
    return bytes.size() == fingerprint.size && ContentHash::of(bytes) == fingerprint.hash
               ? FileChange::None
               : FileChange::Changed;
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error))
        return true;
    const std::filesystem::path first = std::filesystem::weakly_canonical(a, error);
    if (error)
        return a.lexically_normal() == b.lexically_normal();
    const std::filesystem::path second = std::filesystem::weakly_canonical(b, error);
    return !error && first == second;
}

} // namespace grimtally
