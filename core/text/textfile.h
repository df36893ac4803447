// Whole-file reading and atomic writing, and splitting text into lines.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace grimtally {

// A file that could not be read or written; what() reads "<file name>: <system's reason>".
class FileError : public std::runtime_error {
public:
    FileError(const std::filesystem::path& file, const std::string& reason);
    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path file_;
};

// Reads the whole file as bytes. Throws FileError when it is missing or unreadable.
std::string readWholeFile(const std::filesystem::path& file);

// The whole file read straight into a buffer of its own, for a reader that keeps the bytes
// where they were read instead of copying them. Throws FileError as readWholeFile does.
struct FileBytes {
    std::shared_ptr<char[]> data;
    std::size_t size = 0;
};
FileBytes readWholeFileShared(const std::filesystem::path& file);

// A buffer for a file's bytes. A large one is asked of the system in huge pages where it
// has them: filling it then costs a few hundred page faults instead of one per 4 KiB.
// Throws std::bad_alloc.
std::shared_ptr<char[]> fileBuffer(std::size_t size);

// Like readWholeFile, but a file that does not exist reads as empty.
std::string readWholeFileIfExists(const std::filesystem::path& file);

// Splits at CR LF, a lone CR or a lone LF; a last line without a break counts, a final
// break does not start another line. Empty lines are kept (callers decide).
std::vector<std::string_view> splitLines(std::string_view text);

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
