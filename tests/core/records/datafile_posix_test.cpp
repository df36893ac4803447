// Reading data files when memory runs short, which only POSIX systems let a test arrange.
#include "core/records/datafile.h"
#include "core/text/textfile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace grimtally {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true; // the sanitizer's shadow memory needs all address space
#else
constexpr bool kSanitized = false;
#endif

// For the rest of this (death test's) process the address space may grow by `headroom`.
void limitMemoryGrowth(std::size_t headroom)
{
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    statm >> pages;
    const rlim_t limit = pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) + headroom;
    const rlimit both{limit, limit};
    ::setrlimit(RLIMIT_AS, &both);
}

TEST(DataFileDeathTest, LineOfCommasIsRefusedInLittleMemory)
{
    if (kSanitized)
        GTEST_SKIP() << "no address space limit under the sanitizer";
    // Split whole, its 64 million empty items would take some 2 GB.
    const std::string line = "\"Wolf\"" + std::string(std::size_t{64} << 20, ',');
    // In a buffer of its own, as a file is read.
    std::shared_ptr<char[]> bytes(new char[line.size()]);
    std::copy(line.begin(), line.end(), bytes.get());
    EXPECT_EXIT(
        {
            limitMemoryGrowth(std::size_t{32} << 20);
            const ParsedDataFile parsed = parseDataFile(bytes, line.size());
            std::_Exit(parsed.refusedLines == 1 && parsed.records.empty() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(DataFileDeathTest, FileTooLargeForMemoryIsAFileError)
{
    if (kSanitized)
        GTEST_SKIP() << "no address space limit under the sanitizer";
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("grimtally_large_" + std::to_string(::getpid()) + ".txt");
    std::ofstream(file).close();
    std::filesystem::resize_file(file, std::uintmax_t{256} << 20); // sparse, takes no disk
    EXPECT_EXIT(
        {
            limitMemoryGrowth(std::size_t{64} << 20);
            try {
                readDataFile(file);
            } catch (const FileError& error) {
                std::_Exit(error.file() == file ? 0 : 2);
            } catch (...) {
                std::_Exit(3);
            }
            std::_Exit(1);
        },
        testing::ExitedWithCode(0), "");
    std::filesystem::remove(file);
}

} // namespace
} // namespace grimtally
