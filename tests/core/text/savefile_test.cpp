// Saving whole files, as every system must; the tests of one system's own file calls are in
// savefile_posix_test.cpp and savefile_windows_test.cpp.
#include "core/text/savefile.h"
#include "core/text/textfile.h"
#include "tests/core/text/savefilefixture.h"

#include <chrono>
#include <gtest/gtest.h>
#include <stdexcept>

using grimtally::FileError;
using grimtally::readWholeFile;
using grimtally::writeFileAtomically;

namespace fs = std::filesystem;

namespace {

TEST_F(SaveFile, WritesAndReplacesWholeFiles)
{
    writeFileAtomically(path("a.txt"), "first\r\n");
    EXPECT_EQ(readWholeFile(path("a.txt")), "first\r\n");
    writeFileAtomically(path("a.txt"), [](std::ostream& out) { out << "second"; });
    EXPECT_EQ(readWholeFile(path("a.txt")), "second");
    writeFileAtomically(path("a.txt"), "");
    EXPECT_EQ(readWholeFile(path("a.txt")), "");
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"a.txt"});
}

TEST_F(SaveFile, FailingWriterLeavesOldFileAndNoTemporaryFile)
{
    put(path("keep.txt"), "old contents");
    for (size_t failAfter : {size_t{0}, size_t{10}, size_t{200000}}) {
        // A writer that dies part-way, as a full disk or a bug would make it.
        EXPECT_THROW(writeFileAtomically(path("keep.txt"),
                                         [failAfter](std::ostream& out) {
                                             out << std::string(failAfter, 'n');
                                             throw std::runtime_error("sink failed");
                                         }),
                     FileError)
            << failAfter;
        // A writer whose stream goes bad without throwing must not count as success.
        EXPECT_THROW(writeFileAtomically(path("keep.txt"),
                                         [failAfter](std::ostream& out) {
                                             out << std::string(failAfter, 'n');
                                             out.setstate(std::ios::badbit);
                                         }),
                     FileError)
            << failAfter;
        EXPECT_EQ(readWholeFile(path("keep.txt")), "old contents");
        EXPECT_EQ(folderEntries(), std::vector<std::string>{"keep.txt"});
    }
}

TEST_F(SaveFile, WriterErrorTextReachesTheMessage)
{
    try {
        writeFileAtomically(path("x.txt"),
                            [](std::ostream&) { throw std::runtime_error("sink failed"); });
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), path("x.txt").string() + ": sink failed");
    }
    EXPECT_FALSE(fs::exists(path("x.txt")));
}

TEST_F(SaveFile, FailsOnAFolderOrAMissingFolder)
{
    fs::create_directory(path("sub"));
    EXPECT_THROW(writeFileAtomically(path("sub"), "x"), FileError);
    EXPECT_TRUE(fs::is_directory(path("sub")));
    EXPECT_THROW(writeFileAtomically(path("nowhere") / "a.txt", "x"), FileError);
}

TEST_F(SaveFile, ASaveRemovesTheTemporaryFilesOfKilledSavesOnly)
{
    // Names as killed saves leave them, and others that only look alike.
    const std::vector<std::string> leftovers = {
        "a.txt.tmp-Ab3xY9", "a.txt.grimtally-old.tmp-000000", ".grimtally.tmp-zzzzzz"};
    const std::vector<std::string> kept = {"a.txt.tmp-abc", "b.txt.tmp-Ab3xY9", "a.txt.tmp-Ab3xY9z",
                                           "notes.txt"};
    for (const auto& names : {leftovers, kept}) {
        for (const std::string& name : names) {
            put(path(name), "x");
            // Older than the program, as a killed save's file is.
            fs::last_write_time(path(name),
                                fs::file_time_type::clock::now() - std::chrono::hours(1));
        }
    }
    // A save under way: written since the program began (the file system's clock is coarser
    // than the program's, so that is said outright).
    put(path("a.txt.tmp-NEWone"), "a save under way right now");
    fs::last_write_time(path("a.txt.tmp-NEWone"),
                        fs::file_time_type::clock::now() + std::chrono::seconds(1));
    writeFileAtomically(path("a.txt"), "new");
    std::vector<std::string> expected = kept;
    expected.insert(expected.end(), {"a.txt", "a.txt.tmp-NEWone"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folderEntries(), expected);
}

TEST_F(SaveFile, AFileWithAJapaneseNameIsWrittenAndReadBack)
{
    const fs::path file = folder() / grimtally::pathFromUtf8("竜の巣.txt");
    writeFileAtomically(file, "\x97\xB4\r\n");
    writeFileAtomically(file, "\x97\xB4\x82\xCC\x91\x83\r\n");
    EXPECT_EQ(readWholeFile(file), "\x97\xB4\x82\xCC\x91\x83\r\n");
    EXPECT_EQ(grimtally::pathToUtf8(file.filename()), "竜の巣.txt");
    EXPECT_EQ(folderEntries().size(), 1u);
}

} // namespace
