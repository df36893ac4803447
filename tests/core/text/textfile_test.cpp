#include "core/text/lines.h"
#include "core/text/textfile.h"
#include "tempfolder.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>

using grimtally::FileError;
using grimtally::readWholeFile;
using grimtally::readWholeFileIfExists;
using grimtally::splitLines;

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
        // The name, then the system's own reason, in the system's words.
        const std::string what = error.what();
        const std::string name = path("missing.txt").string() + ": ";
        EXPECT_EQ(what.substr(0, name.size()), name);
#ifndef _WIN32
        EXPECT_EQ(what, name + std::strerror(ENOENT));
#else
        EXPECT_GT(what.size(), name.size() + 5) << what;
#endif
    }
    EXPECT_THROW(readWholeFile(folder()), FileError);
    EXPECT_THROW(readWholeFileIfExists(folder()), FileError);
    EXPECT_EQ(readWholeFileIfExists(path("missing.txt")), "");
}

} // namespace
