// Reading whole files, and the error every file function of the core throws.
#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace grimtally {

// The core keeps paths in the system's own form. These convert from and to the UTF-8 of the
// command line and of messages (on POSIX systems the bytes stay as they are).
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string pathToUtf8(const std::filesystem::path& file);

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

} // namespace grimtally
