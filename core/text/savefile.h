// Saving a file whole, so that a failed or interrupted save never leaves a half-written file.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string_view>

namespace grimtally {

// Writes a file whole: the writer fills a temporary file beside the target, which is
// flushed, checked and renamed over the target. On any failure (the writer throws, the
// stream goes bad, the disk fills, the file-size limit is reached) the temporary file is
// removed, the old file is left as it was, and FileError is thrown. An existing target keeps
// its permissions, owner and group. A file with other hard links, one in a folder the user
// may not write into, or one whose owner or group the system will not give the new file is
// rewritten in place instead, its old content put back if the new cannot be written whole.
// A symbolic link is written through, also when its target does not exist yet; anything
// but a regular file (a pipe, a device, a folder) is refused.
void writeFileAtomically(const std::filesystem::path& file,
                         const std::function<void(std::ostream&)>& writer);
void writeFileAtomically(const std::filesystem::path& file, std::string_view contents);

} // namespace grimtally
