// Saving on Windows: a read-only file and a file another program holds open are refused with
// a clear message, the old content intact and no temporary file left.
#include "core/text/savefile.h"
#include "core/text/textfile.h"
#include "tests/core/text/savefilefixture.h"

#include <gtest/gtest.h>
#include <windows.h>

using grimtally::FileError;
using grimtally::readWholeFile;
using grimtally::writeFileAtomically;

namespace {

std::string refusal(const std::filesystem::path& file, const std::string& content)
{
    try {
        writeFileAtomically(file, content);
    } catch (const FileError& error) {
        return error.what();
    }
    return "";
}

TEST_F(SaveFile, AReadOnlyFileIsRefused)
{
    put(path("locked.txt"), "old");
    ASSERT_TRUE(::SetFileAttributesW(path("locked.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_NE(refusal(path("locked.txt"), "new").find("read-only"), std::string::npos);
    ::SetFileAttributesW(path("locked.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readWholeFile(path("locked.txt")), "old");
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"locked.txt"});
}

TEST_F(SaveFile, AFileAnotherProgramHoldsOpenIsRefused)
{
    // As a spreadsheet holds a CSV file: open, and shared with nobody.
    put(path("held.csv"), "old");
    const HANDLE held = ::CreateFileW(path("held.csv").c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string message = refusal(path("held.csv"), "new");
    ::CloseHandle(held);
    EXPECT_NE(message.find("another program"), std::string::npos) << message;
    EXPECT_EQ(readWholeFile(path("held.csv")), "old");
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"held.csv"});
    writeFileAtomically(path("held.csv"), "new"); // once it is let go
    EXPECT_EQ(readWholeFile(path("held.csv")), "new");
}

} // namespace
