#include "core/workfolder/workfolder.h"

#include "core/text/savefile.h"
#include "core/text/textfile.h"

#include <system_error>
#include <vector>

namespace grimtally {

namespace fs = std::filesystem;

namespace {

// Creating and removing a folder inside proves what writing a file there needs, and tells
// the system's reason when it fails (a read-only disk, a folder of another user's).
void checkWritable(const fs::path& folder)
{
    const fs::path probe = folder / ".grimtally-write-check";
    std::error_code error;
    fs::create_directory(probe, error);
    if (!error)
        fs::remove(probe, error);
    if (error)
        throw FileError(folder, error.message());
}

bool holdsAShippedFile(const fs::path& folder)
{
    for (std::string_view name : kShippedFiles) {
        std::error_code error;
        // A dangling link or a folder by that name counts too: the user put it there.
        if (fs::symlink_status(folder / name, error).type() != fs::file_type::not_found)
            return true;
    }
    return false;
}

} // namespace

bool isJapaneseLocale(std::string_view locale)
{
    const std::string_view language = locale.substr(0, locale.find_first_of("_-.@"));
    return language.size() == 2 && (language[0] | 0x20) == 'j' && (language[1] | 0x20) == 'a';
}

fs::path shippedSetFor(const fs::path& sharedData, std::string_view locale)
{
    return isJapaneseLocale(locale) ? sharedData / "ja" : sharedData;
}

bool prepareWorkFolder(const fs::path& folder, const fs::path& shippedSet)
{
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        throw FileError(folder, error.message());
    if (!fs::is_directory(folder, error))
        throw FileError(folder, std::make_error_code(std::errc::not_a_directory).message());
    checkWritable(folder);
    if (holdsAShippedFile(folder))
        return false;

    // A set that is not all there (a broken installation) is told before anything is copied.
    for (std::string_view name : kShippedFiles) {
        if (!fs::is_regular_file(shippedSet / name, error))
            throw FileError(
                shippedSet / name,
                (error ? error : std::make_error_code(std::errc::no_such_file_or_directory))
                    .message());
    }
    std::vector<fs::path> copied;
    for (std::string_view name : kShippedFiles) {
        const fs::path target = folder / name;
        try {
            // A file that is there is kept as it is, also one that another start put there
            // meanwhile. The copy is written as every save is, which also works where the
            // file system keeps no permissions of its own (FAT), as a copy with them does not.
            const bool there = fs::exists(target, error);
            if (error)
                throw FileError(target, error.message());
            if (there)
                continue;
            const std::string bytes = readWholeFile(shippedSet / name);
            writeFileAtomically(target, bytes);
            copied.push_back(target);
        } catch (const FileError&) {
            // Half a set would never be completed (the folder no longer holds none of the
            // files), so the copies go again and the next start tries anew.
            for (const fs::path& made : copied)
                fs::remove(made, error);
            throw;
        }
    }
    return true;
}

} // namespace grimtally
