#include "core/text/textfile.h"
#include "core/workfolder/workfolder.h"
#include "tests/core/text/tempfolder.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using grimtally::FileError;
using grimtally::kShippedFiles;
using grimtally::prepareWorkFolder;
using grimtally::readWholeFile;
using grimtally::shippedSetFor;

namespace {

void put(const fs::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

class WorkFolder : public TempFolder {
protected:
    void SetUp() override
    {
        TempFolder::SetUp();
        fs::create_directory(path("share"));
        for (std::string_view name : kShippedFiles)
            put(path("share") / name, "shipped " + std::string(name));
    }

    fs::path shipped() const { return path("share"); }

    int shippedFilesIn(const fs::path& folder) const
    {
        int count = 0;
        for (std::string_view name : kShippedFiles)
            count += fs::exists(folder / name) ? 1 : 0;
        return count;
    }
};

} // namespace

TEST(ShippedSet, JapaneseLocalesGetTheJapaneseSetAndEveryOtherTheEnglishOne)
{
    const fs::path share = "/usr/share/grimtally";
    for (const char* locale : {"ja_JP.UTF-8", "ja-JP", "ja", "JA_jp", "ja@x"})
        EXPECT_EQ(shippedSetFor(share, locale), share / "ja") << locale;
    for (const char* locale : {"en_US.UTF-8", "de-DE", "C", "POSIX", "", "jam", "j", "_ja"})
        EXPECT_EQ(shippedSetFor(share, locale), share) << locale;
}

TEST_F(WorkFolder, AFreshFolderIsCreatedWithItsParentsAndSeeded)
{
    const fs::path folder = path("home/Documents/Grimtally");
    EXPECT_TRUE(prepareWorkFolder(folder, shipped()));
    for (std::string_view name : kShippedFiles)
        EXPECT_EQ(readWholeFile(folder / name), "shipped " + std::string(name));
    // An empty folder that is already there (made by hand, or left by a failed start) too.
    fs::create_directory(path("empty"));
    EXPECT_TRUE(prepareWorkFolder(path("empty"), shipped()));
    EXPECT_EQ(shippedFilesIn(path("empty")), 3);
}

// Once the folder holds any of the files, nothing is copied: what the user changed, deleted
// or put there stays as it is.
TEST_F(WorkFolder, AFolderWithAnyOfTheFilesIsNeverSeededAgain)
{
    for (std::string_view kept : kShippedFiles) {
        const fs::path folder = path("user-" + std::string(kept));
        fs::create_directory(folder);
        put(folder / kept, "the user's own");
        EXPECT_FALSE(prepareWorkFolder(folder, shipped())) << kept;
        EXPECT_EQ(readWholeFile(folder / kept), "the user's own");
        EXPECT_EQ(shippedFilesIn(folder), 1) << kept;
    }
    const fs::path seeded = path("seeded");
    ASSERT_TRUE(prepareWorkFolder(seeded, shipped()));
    put(seeded / "Language.txt", "edited");
    fs::remove(seeded / "Sample.txt");
    EXPECT_FALSE(prepareWorkFolder(seeded, shipped()));
    EXPECT_EQ(readWholeFile(seeded / "Language.txt"), "edited");
    EXPECT_FALSE(fs::exists(seeded / "Sample.txt"));
}

TEST_F(WorkFolder, AFolderThatCannotBeMadeOrWrittenIsAnErrorNamingIt)
{
    put(path("a-file"), "");
    const fs::path underAFile = path("a-file/Grimtally");
    try {
        prepareWorkFolder(underAFile, shipped());
        ADD_FAILURE() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.file(), underAFile);
    }
    put(path("Grimtally"), "a file where the folder should be");
    EXPECT_THROW(prepareWorkFolder(path("Grimtally"), shipped()), FileError);

#ifdef _WIN32
    GTEST_SKIP() << "a folder nobody may write into is made with POSIX permissions";
#else
    // A folder nobody may write into; root needs the immutable flag for that.
    const fs::path locked = path("locked");
    fs::create_directory(locked);
    const bool root = ::geteuid() == 0;
    const std::string unlock = "chattr -i " + locked.string();
    if (root) {
        if (std::system(("chattr +i " + locked.string()).c_str()) != 0)
            GTEST_SKIP() << "the folder cannot be made unwritable here";
    } else {
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    }
    try {
        prepareWorkFolder(locked, shipped());
        ADD_FAILURE() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.file(), locked);
    }
    if (root) {
        EXPECT_EQ(std::system(unlock.c_str()), 0);
    }
    EXPECT_EQ(shippedFilesIn(locked), 0);
#endif
}

// A copy that fails part-way leaves none of the set, so the next start seeds the folder
// whole instead of never finishing it.
TEST_F(WorkFolder, AFailedSeedingLeavesNoneOfTheFiles)
{
    fs::remove(shipped() / "Sample.txt");
    EXPECT_THROW(prepareWorkFolder(path("missing"), shipped()), FileError);
    EXPECT_EQ(shippedFilesIn(path("missing")), 0);

#ifdef _WIN32
    GTEST_SKIP() << "a copy is made to fail part-way with a POSIX file-size limit";
#else
    put(shipped() / "Sample.txt", std::string(100000, 's'));
    const fs::path folder = path("limited");
    // Writing past the limit then fails with an error, like a full disk, instead of a signal.
    const auto seedOverTheLimit = [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limit {
            1000, 1000
        };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            prepareWorkFolder(folder, shipped());
        } catch (const FileError& error) {
            _exit(error.file() == folder / "Sample.txt" ? 0 : 3);
        }
        _exit(4);
    };
    EXPECT_EXIT(seedOverTheLimit(), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(shippedFilesIn(folder), 0);
    EXPECT_TRUE(prepareWorkFolder(folder, shipped()));
    EXPECT_EQ(shippedFilesIn(folder), 3);
#endif
}
