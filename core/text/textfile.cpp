#include "core/text/textfile.h"

namespace grimtally {

std::filesystem::path pathFromUtf8(std::string_view utf8)
{
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string pathToUtf8(const std::filesystem::path& file)
{
    const std::u8string utf8 = file.u8string();
    return std::string(reinterpret_cast<const char*>(utf8.data()), utf8.size());
}

FileError::FileError(const std::filesystem::path& file, const std::string& reason)
    : std::runtime_error(pathToUtf8(file) + ": " + reason), file_(file)
{}

} // namespace grimtally
