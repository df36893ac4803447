#include "core/check/filecheck.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

TEST(FileCheck, NulLinesAreDamageButBlankLinesAreNot)
{
    // What a crash leaves: the file's size written, its last blocks never, so zero-filled.
    const std::string bytes = "\r\n   \r\n\0\0\0\0\r\n \0 \t\r\n"s;
    std::vector<std::size_t> lines;
    for (const grimtally::FileProblem& problem : grimtally::checkDataFile(bytes))
        lines.push_back(problem.line);
    EXPECT_EQ(lines, (std::vector<std::size_t>{3, 4}));
}

} // namespace
