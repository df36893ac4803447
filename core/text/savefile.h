// Saving a file whole, so that a failed or interrupted save never leaves a half-written file.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string_view>

namespace grimtally {

// Writes a file whole: the writer fills a temporary file beside the target, which is
// flushed, checked and renamed over the target. On any failure (the writer throws, the
// stream goes bad, the disk fills, the file-size limit is reached) the temporary file is
// removed, the old file is left as it was, and FileError is thrown. An existing target keeps
// its permissions, owner and group. A file with other hard links, one in a folder the user
// may not write into, or one whose owner or group the system will not give the new file is
// rewritten in place instead: its old content is first kept in a copy on disk (see
// interruptedSaveCopy), which goes once the new content is on disk, and is written back if the
// new cannot be written whole. A symbolic link is written through, also when its target does
// not exist yet; anything but a regular file (a pipe, a device, a folder) is refused.
// A successful save also removes what killed saves of the same file left: temporary files by
// the program's own names, owned by the user and older than the running program.
void writeFileAtomically(const std::filesystem::path& file,
                         const std::function<void(std::ostream&)>& writer);
void writeFileAtomically(const std::filesystem::path& file, std::string_view contents);

// The copy of a file's old content that a rewrite in place left because it was interrupted:
// "NAME.grimtally-old" beside the file, or one in userStateFolder() when the file's folder
// could not take it. While one is there, the file may hold part of a save.
std::optional<std::filesystem::path> interruptedSaveCopy(const std::filesystem::path& file);
// Puts the content kept by an interrupted save back into the file and removes the copy; does
// nothing when there is none. Throws FileError.
void restoreInterruptedSave(const std::filesystem::path& file);

// The user's folder for the program's own state: $XDG_STATE_HOME/grimtally, or
// ~/.local/state/grimtally. Not created here.
std::filesystem::path userStateFolder();

} // namespace grimtally
