// grimtally-cli run as a user runs it: "check" names the lines of each kind of broken file,
// the shipped files pass, exchange and generation go through files, and the exit statuses
// tell a script what happened.
#include "core/records/datafile.h"
#include "core/text/savefile.h"
#include "core/text/textfile.h"
#include "tests/core/text/tempfolder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace {

const std::string kShipped = GRIMTALLY_SHIPPED_DATA;
const std::string kTestData = GRIMTALLY_TEST_DATA;

struct CliRun {
    int status = -1;
    std::string out; // standard output; standard error is left to the test log
};

#ifdef _WIN32
// Through cmd.exe, as a user types it there; UTF-16 so that Japanese names arrive whole.
const std::string kQuiet = " 2>NUL";
const std::string kNullDevice = "NUL";

std::string cliCommand()
{
    std::string cli = GRIMTALLY_CLI;
    std::replace(cli.begin(), cli.end(), '/', '\\');
    return "\"" + cli + "\"";
}

CliRun runShell(const std::string& command)
{
    CliRun result;
    std::wstring wide(command.size() + 1, L'\0');
    wide.resize(static_cast<std::size_t>(
        ::MultiByteToWideChar(CP_UTF8, 0, command.data(), static_cast<int>(command.size()),
                              wide.data(), static_cast<int>(wide.size()))));
    FILE* pipe = ::_wpopen(wide.c_str(), L"rb");
    if (!pipe)
        return result;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.out.append(buffer, n);
    result.status = ::_pclose(pipe);
    return result;
}
#else
const std::string kQuiet = " 2>/dev/null";
const std::string kNullDevice = "/dev/null";

std::string cliCommand()
{
    return GRIMTALLY_CLI;
}

CliRun runShell(const std::string& command)
{
    CliRun result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.out.append(buffer, n);
    const int wait = ::pclose(pipe);
    result.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
    return result;
}
#endif

const std::string kCli = cliCommand();

CliRun run(const std::string& arguments)
{
    return runShell(kCli + " " + arguments);
}

// The line numbers of check's report ("FILE:LINE: ..."), in order.
std::vector<int> reportedLines(const std::string& report)
{
    std::vector<int> lines;
    std::istringstream in(report);
    for (std::string line; std::getline(in, line);) {
        const std::size_t colon = line.find(".txt:");
        if (colon != std::string::npos)
            lines.push_back(std::stoi(line.substr(colon + 5)));
    }
    return lines;
}

TEST(Cli, CheckNamesTheLinesOfEachKindOfBrokenFile)
{
    struct Case {
        const char* file;
        std::vector<int> lines;
    };
    const Case cases[] = {
        {"broken_data.txt", {2, 4, 5, 6, 6, 6}}, // 47 items, "abc", 49 items, 1200 and row 2
        {"broken_choices.txt", {3, 12, 13, 15}}, // a word as number, 3 items, no hit key, 1 item
        {"broken_language.txt", {1, 25}},        // "hit" missing from [common], a stray line
        {"broken_settings.txt", {2, 3, 7, 23}},  // "abc", "yes", 5 movements, "12x" dice
    };
    for (const Case& c : cases) {
        const CliRun result = run("check " + kTestData + "/cli/" + c.file + kQuiet);
        EXPECT_EQ(result.status, 1) << c.file;
        EXPECT_EQ(reportedLines(result.out), c.lines) << c.file << ":\n" << result.out;
    }
}

TEST(Cli, ShippedFilesPassTheCheck)
{
    const CliRun result = run("check " + kShipped + "/*.txt " + kShipped + "/ja/*.txt" + kQuiet);
    EXPECT_EQ(result.status, 0) << result.out;
    EXPECT_EQ(result.out, "");
}

class CliFiles : public TempFolder {};

TEST_F(CliFiles, ExportAndImportGiveTheFileBackAndMergeAppends)
{
    const std::string json = path("sample.json").string();
    const std::string copy = path("copy.txt").string();
    ASSERT_EQ(run("export --format json " + kShipped + "/ja/Sample.txt -o " + json).status, 0);
    ASSERT_EQ(run("import " + json + " -o " + copy).status, 0);
    const std::string original = grimtally::readWholeFile(kShipped + "/ja/Sample.txt");
    EXPECT_EQ(grimtally::readWholeFile(copy), original);
    ASSERT_EQ(run("import --merge " + json + " -o " + copy).status, 0);
    EXPECT_EQ(grimtally::readWholeFile(copy), original + original);
}

TEST_F(CliFiles, FilesWithJapaneseNamesAreReadAndWritten)
{
    // As a user types the names; on Windows they reach the program as UTF-16.
    const std::string folderName = grimtally::pathToUtf8(folder()) + "/";
    const std::string sample = grimtally::readWholeFile(kShipped + "/ja/Sample.txt");
    grimtally::writeFileAtomically(grimtally::pathFromUtf8(folderName + "竜の巣.txt"), sample);
    ASSERT_EQ(run("export --format json " + folderName + "竜の巣.txt -o " + folderName + "竜.json")
                  .status,
              0);
    ASSERT_EQ(run("import " + folderName + "竜.json -o " + folderName + "巣の写し.txt").status, 0);
    EXPECT_EQ(grimtally::readWholeFile(grimtally::pathFromUtf8(folderName + "巣の写し.txt")),
              sample);
    const CliRun stats = run("stats " + folderName + "竜の巣.txt");
    EXPECT_EQ(stats.status, 0);
    EXPECT_NE(stats.out.find("enemies: 10\n"), std::string::npos) << stats.out;
}

TEST_F(CliFiles, CheckReadsALanguageFileSavedAsUtf16)
{
    // "[common]\r\nslash=/\r\n" in UTF-16 LE after its byte order mark.
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string_view("[common]\r\nslash=/\r\n"))
        utf16 += std::string{c, '\0'};
    const std::string file = path("Language.txt").string();
    grimtally::writeFileAtomically(file, utf16);
    const CliRun result = run("check " + file + kQuiet);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.out.find("UTF-16"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("[common] hyphen: missing"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("[common] slash"), std::string::npos) << result.out;
}

TEST_F(CliFiles, GenerationRepeatsWithItsSeed)
{
    const auto generate = [&](const std::string& file, int seed) {
        return run("generate --count 200 --choices " + kShipped + "/Choices.txt -o " +
                   path(file).string() + " --seed " + std::to_string(seed) + kQuiet)
            .status;
    };
    ASSERT_EQ(generate("a.txt", 5), 0);
    ASSERT_EQ(generate("b.txt", 5), 0);
    ASSERT_EQ(generate("c.txt", 6), 0);
    const std::string a = grimtally::readWholeFile(path("a.txt"));
    EXPECT_EQ(a, grimtally::readWholeFile(path("b.txt")));
    EXPECT_NE(a, grimtally::readWholeFile(path("c.txt")));
    EXPECT_EQ(grimtally::parseDataFile(a).records.size(), 200u);
}

TEST(Cli, StatsCountsByClassifyAndLevel)
{
    const CliRun result = run("stats " + kShipped + "/Sample.txt");
    EXPECT_EQ(result.status, 0);
    for (const char* expected : {"enemies: 12\n", "refused lines: 0\n", "level range: 1 to 10\n",
                                 "  Beast: 5\n", "  5: 2\n"})
        EXPECT_NE(result.out.find(expected), std::string::npos) << expected << "\n" << result.out;
}

TEST(Cli, StatsReadsADataFileAsTheOtherCommandsDo)
{
    // Refused lines are counted and make the status 1; a Unicode file is refused whole.
    const CliRun broken = run("stats " + kTestData + "/cli/broken_data.txt" + kQuiet);
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.out.find("refused lines: 0\n"), std::string::npos) << broken.out;
    const std::string utf8 = ::testing::TempDir() + "/grimtally-stats-utf8.txt";
    std::ofstream(utf8, std::ios::binary)
        << "\xEF\xBB\xBF" << grimtally::readWholeFile(kShipped + "/Sample.txt");
    EXPECT_EQ(run("stats " + utf8 + kQuiet).status, 3);
}

TEST(Cli, ExitStatusesTellUsageFromFailure)
{
    EXPECT_EQ(run("--help").status, 0);
    EXPECT_EQ(run("export --help").status, 0);
    EXPECT_EQ(run("frobnicate" + kQuiet).status, 2);
    EXPECT_EQ(run("export --format xml x.txt" + kQuiet).status, 2);
    EXPECT_EQ(run("import x.json" + kQuiet).status, 2); // no -o
    EXPECT_EQ(run("stats /nonexistent/file.txt" + kQuiet).status, 3);
    EXPECT_EQ(run("import " + kShipped + "/Sample.txt -o " + kNullDevice + kQuiet).status, 3);
}

} // namespace

namespace {

class CliSafety : public TempFolder {
protected:
    // Kept copies of interrupted saves go to a state folder of the test's own.
    void SetUp() override
    {
        TempFolder::SetUp();
#ifndef _WIN32
        ::setenv("XDG_STATE_HOME", path("state").c_str(), 1);
#endif
    }
    void TearDown() override
    {
#ifndef _WIN32
        ::unsetenv("XDG_STATE_HOME");
#endif
        TempFolder::TearDown();
    }
    std::string file(const std::string& name) const
    {
        return path(name).string();
    }
};

TEST_F(CliSafety, AnOutputThatIsAnInputIsRefusedBeforeAnythingIsWritten)
{
    const std::string sample = grimtally::readWholeFile(kShipped + "/Sample.txt");
    const std::string choices = grimtally::readWholeFile(kShipped + "/Choices.txt");
    grimtally::writeFileAtomically(path("self.txt"), sample);
    grimtally::writeFileAtomically(path("ch.txt"), choices);
    std::filesystem::create_hard_link(path("self.txt"), path("hard.txt"));
#ifdef _WIN32
    // A symbolic link needs a privilege there: another hard link stands in.
    std::filesystem::create_hard_link(path("ch.txt"), path("soft.txt"));
#else
    std::filesystem::create_symlink("ch.txt", path("soft.txt"));
#endif
    ASSERT_EQ(run("export --format json " + file("self.txt") + " -o " + file("j.json")).status, 0);
    const std::string json = grimtally::readWholeFile(path("j.json"));
    const std::string commands[] = {
        "export --format json " + file("self.txt") + " -o " + file("self.txt"),
        "export --format csv " + file("self.txt") + " -o " + file("hard.txt"),
        "export --format md --language " + file("ch.txt") + " " + file("self.txt") + " -o " +
            file("soft.txt"),
        "generate --count 3 --choices " + file("ch.txt") + " -o " + file("soft.txt"),
        "generate --count 3 --choices " + file("ch.txt") + " --settings " + file("self.txt") +
            " -o " + file("hard.txt"),
        "import " + file("j.json") + " -o " + path("./j.json").string(),
    };
    for (const std::string& command : commands) {
        const CliRun result = run(command + " 2>&1");
        EXPECT_EQ(result.status, 2) << command;
        EXPECT_NE(result.out.find("same file"), std::string::npos) << result.out;
    }
    EXPECT_EQ(grimtally::readWholeFile(path("self.txt")), sample);
    EXPECT_EQ(grimtally::readWholeFile(path("ch.txt")), choices);
    EXPECT_EQ(grimtally::readWholeFile(path("j.json")), json);
}

TEST_F(CliSafety, AMissingInputFileIsAFailureThatNamesIt)
{
    const std::string choices = kShipped + "/Choices.txt";
    const std::string commands[] = {
        "generate --count 1 --choices /no/such/file -o " + file("a.txt"),
        "generate --count 1 --choices " + choices + " --settings /no/such/file -o " + file("a.txt"),
        "generate --count 1 --choices " + choices + " --language /no/such/file -o " + file("a.txt"),
        "export --format csv --language /no/such/file " + kShipped + "/Sample.txt",
    };
    for (const std::string& command : commands) {
        const CliRun result = run(command + " 2>&1");
        EXPECT_EQ(result.status, 3) << command;
        EXPECT_NE(result.out.find("/no/such/file"), std::string::npos) << result.out;
    }
    EXPECT_FALSE(std::filesystem::exists(path("a.txt")));
}

// A save killed at each of its system calls in turn, by strace, must leave the old content,
// the new content, or the old content kept in a copy that every command then names.
TEST_F(CliSafety, ASaveKilledAtAnySystemCallLosesNothing)
{
    if (std::system("strace -o /dev/null true >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "strace cannot trace here";
    const std::string old = grimtally::readWholeFile(kShipped + "/Sample.txt");
    ASSERT_EQ(
        run("export --format json " + kShipped + "/ja/Sample.txt -o " + file("new.json")).status,
        0);
    ASSERT_EQ(run("import " + file("new.json") + " -o " + file("new.txt")).status, 0);
    const std::string fresh = grimtally::readWholeFile(path("new.txt"));
    const std::string calls = "openat,write,pwrite64,fsync,ftruncate,fallocate,rename,unlink,"
                              "close,fchmod,mkdir";
    // A plain file is replaced by a rename; one with a second name is rewritten in place.
    for (const bool inPlace : {false, true}) {
        const std::string target = file(inPlace ? "linked.txt" : "plain.txt");
        const std::string save = kCli + " import " + file("new.json") + " -o " + target;
        const auto reset = [&] {
            std::filesystem::remove_all(path("state"));
            std::filesystem::remove(target + ".grimtally-old");
            grimtally::writeFileAtomically(target, old);
            if (inPlace && !std::filesystem::exists(path("second-name.txt")))
                std::filesystem::create_hard_link(target, path("second-name.txt"));
        };
        // Killing the program while it starts, before its first look at new.json, proves
        // nothing: each call is counted from there on.
        reset();
        ASSERT_EQ(
            runShell("strace -o " + file("calls.log") + " -e trace=" + calls + " " + save).status,
            0);
        std::map<std::string, int> before, during;
        std::istringstream log(grimtally::readWholeFile(path("calls.log")));
        bool started = false;
        for (std::string line; std::getline(log, line);) {
            started = started || line.find("new.json") != line.npos;
            ++(started ? during : before)[line.substr(0, line.find('('))];
        }
        int kills = 0;
        for (const auto& [call, count] : during) {
            for (int n = before[call] + 1; n <= before[call] + count; ++n) {
                reset();
                runShell("strace -o /dev/null -e inject=" + call +
                         ":signal=KILL:when=" + std::to_string(n) + " " + save + kQuiet);
                ++kills;
                const std::string now = grimtally::readWholeFile(target);
                const CliRun next = run("stats " + target + " 2>&1");
                const std::size_t named = next.out.find(" kept in ");
                if (named != std::string::npos) {
                    // The copy: named by every command, and holding the old content whole.
                    EXPECT_EQ(next.status, 3) << call << " " << n;
                    const std::size_t end = next.out.find(".grimtally-old", named);
                    ASSERT_NE(end, std::string::npos) << next.out;
                    const std::string copy = next.out.substr(named + 9, end + 14 - named - 9);
                    EXPECT_EQ(grimtally::readWholeFile(copy), old) << call << " " << n;
                } else {
                    EXPECT_TRUE(now == old || now == fresh)
                        << call << " " << n << ": " << now.size() << " bytes";
                }
                if (inPlace) {
                    EXPECT_EQ(grimtally::readWholeFile(path("second-name.txt")), now);
                }
            }
        }
        EXPECT_GT(kills, 15) << "too few calls seen: is strace tracing?";
    }
}

} // namespace
