#include "core/text/textfile.h"
#include "tempfolder.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using grimtally::FileError;
using grimtally::readWholeFile;
using grimtally::readWholeFileIfExists;
using grimtally::splitLines;
using grimtally::writeFileAtomically;

namespace fs = std::filesystem;
using namespace std::string_literals;
using namespace std::string_view_literals;

namespace {

TEST(SplitLines, EndsLinesAtEveryKindOfBreak)
{
    struct Case {
        std::string text;
        std::vector<std::string_view> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc\r\n", {"a", "b", "c"}},
        {"a\n\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"a\r\n\r\n", {"a", ""}},
        {"\n\r", {"", ""}},
        {"\r\r\n", {"", ""}},
        {"x\0y\r\n"s, {"x\0y"sv}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitLines(c.text), c.lines) << "text [" << c.text << "]";
}

class TextFile : public TempFolder {
protected:
    void put(const fs::path& file, const std::string& bytes)
    {
        std::ofstream out(file, std::ios::binary);
        out << bytes;
    }
    std::vector<std::string> folderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static mode_t modeOf(const fs::path& file)
    {
        struct stat st {};
        EXPECT_EQ(::stat(file.c_str(), &st), 0);
        return st.st_mode & 07777;
    }
};

TEST_F(TextFile, ReadsBinaryBytesAndAHugeLine)
{
    std::string bytes = "\0\xFF\x83\x5C\r\n\x1A"s;
    put(path("binary"), bytes);
    EXPECT_EQ(readWholeFile(path("binary")), bytes);

    std::string line(20 * 1024 * 1024, 'x');
    line[12345] = '\0';
    put(path("huge"), line);
    EXPECT_EQ(readWholeFile(path("huge")), line);
}

TEST_F(TextFile, ReadFailuresNameTheFileAndTheReason)
{
    try {
        readWholeFile(path("missing.txt"));
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.file(), path("missing.txt"));
        EXPECT_EQ(std::string(error.what()),
                  path("missing.txt").string() + ": " + std::strerror(ENOENT));
    }
    EXPECT_THROW(readWholeFile(folder()), FileError);
    EXPECT_THROW(readWholeFileIfExists(folder()), FileError);
    EXPECT_EQ(readWholeFileIfExists(path("missing.txt")), "");
}

TEST_F(TextFile, WritesAndReplacesWholeFiles)
{
    writeFileAtomically(path("a.txt"), "first\r\n");
    EXPECT_EQ(readWholeFile(path("a.txt")), "first\r\n");
    writeFileAtomically(path("a.txt"), [](std::ostream& out) { out << "second"; });
    EXPECT_EQ(readWholeFile(path("a.txt")), "second");
    writeFileAtomically(path("a.txt"), "");
    EXPECT_EQ(readWholeFile(path("a.txt")), "");
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"a.txt"});
}

TEST_F(TextFile, FailingWriterLeavesOldFileAndNoTemporaryFile)
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

TEST_F(TextFile, WriterErrorTextReachesTheMessage)
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

TEST_F(TextFile, KeepsPermissionsAndUsesUmaskForNewFiles)
{
    put(path("private.txt"), "x");
    ASSERT_EQ(::chmod(path("private.txt").c_str(), 0640), 0);
    writeFileAtomically(path("private.txt"), "y");
    EXPECT_EQ(modeOf(path("private.txt")), 0640u);

    mode_t old = ::umask(027);
    writeFileAtomically(path("new.txt"), "z");
    ::umask(old);
    EXPECT_EQ(modeOf(path("new.txt")), 0640u);
}

TEST_F(TextFile, RefusesToReplaceAReadOnlyFile)
{
    put(path("locked.txt"), "precious");
    ASSERT_EQ(::chmod(path("locked.txt").c_str(), 0444), 0);
    try {
        writeFileAtomically(path("locked.txt"), "overwritten");
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()),
                  path("locked.txt").string() + ": " + std::strerror(EACCES));
    }
    EXPECT_EQ(readWholeFile(path("locked.txt")), "precious");
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"locked.txt"});
}

TEST_F(TextFile, FailsInAReadOnlyFolder)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    put(path("old.txt"), "old");
    ASSERT_EQ(::chmod(folder().c_str(), 0555), 0);
    EXPECT_THROW(writeFileAtomically(path("old.txt"), "new"), FileError);
    EXPECT_THROW(writeFileAtomically(path("fresh.txt"), "new"), FileError);
    ::chmod(folder().c_str(), 0755);
    EXPECT_EQ(readWholeFile(path("old.txt")), "old");
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"old.txt"});
}

TEST_F(TextFile, FailsOnAFolderOrAMissingFolder)
{
    fs::create_directory(path("sub"));
    EXPECT_THROW(writeFileAtomically(path("sub"), "x"), FileError);
    EXPECT_TRUE(fs::is_directory(path("sub")));
    EXPECT_THROW(writeFileAtomically(path("nowhere") / "a.txt", "x"), FileError);
}

TEST_F(TextFile, WritesThroughASymbolicLink)
{
    put(path("real.txt"), "old");
    fs::create_symlink(path("real.txt"), path("link.txt"));
    writeFileAtomically(path("link.txt"), "new");
    EXPECT_TRUE(fs::is_symlink(path("link.txt")));
    EXPECT_EQ(readWholeFile(path("real.txt")), "new");
}

} // namespace
