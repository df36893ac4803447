// Saving on POSIX systems: permissions, owner and group, hard links, symbolic links, pipes,
// the file-size limit, a full disk, and the rewrite in place with its kept copy.
#include "core/text/savefile.h"
#include "core/text/textfile.h"
#include "tests/core/text/savefilefixture.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using grimtally::FileError;
using grimtally::readWholeFile;
using grimtally::writeFileAtomically;

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

class PosixSaveFile : public SaveFile {
protected:
    // Kept copies go to a state folder of the test's own, not the user's.
    void SetUp() override
    {
        SaveFile::SetUp();
        std::string pattern = (fs::temp_directory_path() / "grimtally-state-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        state_ = pattern;
        ::setenv("XDG_STATE_HOME", state_.c_str(), 1);
    }
    void TearDown() override
    {
        ::unsetenv("XDG_STATE_HOME");
        std::error_code ec;
        fs::remove_all(state_, ec);
        SaveFile::TearDown();
    }
    const fs::path& state() const { return state_; }
    static ino_t inodeOf(const fs::path& file)
    {
        struct stat st {};
        EXPECT_EQ(::stat(file.c_str(), &st), 0);
        return st.st_ino;
    }
    static mode_t modeOf(const fs::path& file)
    {
        struct stat st {};
        EXPECT_EQ(::stat(file.c_str(), &st), 0);
        return st.st_mode & 07777;
    }

private:
    fs::path state_;
};

TEST_F(PosixSaveFile, KeepsPermissionsAndUsesUmaskForNewFiles)
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

TEST_F(PosixSaveFile, RefusesToReplaceAReadOnlyFile)
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

TEST_F(PosixSaveFile, InAReadOnlyFolderRewritesTheFileInPlaceAndCannotCreateOne)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders; the test as another user covers it";
    put(path("old.txt"), "old");
    const ino_t inode = inodeOf(path("old.txt"));
    ASSERT_EQ(::chmod(folder().c_str(), 0555), 0);
    writeFileAtomically(path("old.txt"), "new, and longer");
    EXPECT_THROW(writeFileAtomically(path("fresh.txt"), "new"), FileError);
    ::chmod(folder().c_str(), 0755);
    EXPECT_EQ(readWholeFile(path("old.txt")), "new, and longer");
    EXPECT_EQ(inodeOf(path("old.txt")), inode);
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"old.txt"});
}

// Another user, who may write the file but not the folder, or may write both but cannot
// give a new file root's ownership: the file is rewritten in place and stays root's.
TEST_F(PosixSaveFile, AnotherUserSavesInPlaceKeepingOwnerAndGroup)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can make a file that belongs to someone else";
    // Where nobody keeps the old content when the folder takes no new file of theirs.
    ASSERT_EQ(::chmod(state().c_str(), 0777), 0);
    for (mode_t folderMode : {mode_t{0755}, mode_t{0777}}) {
        put(path("shared.txt"), "root's words");
        ASSERT_EQ(::chmod(path("shared.txt").c_str(), 0666), 0);
        ASSERT_EQ(::chmod(folder().c_str(), folderMode), 0);
        const ino_t inode = inodeOf(path("shared.txt"));
        const fs::path file = path("shared.txt");
        const auto saveAsNobody = [&file] {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                _exit(2);
            try {
                writeFileAtomically(file, "nobody's words");
            } catch (const FileError& error) {
                std::fprintf(stderr, "%s\n", error.what());
                _exit(3);
            }
            _exit(0);
        };
        EXPECT_EXIT(saveAsNobody(), ::testing::ExitedWithCode(0), "") << std::oct << folderMode;
        EXPECT_EQ(readWholeFile(file), "nobody's words");
        EXPECT_EQ(inodeOf(file), inode);
        struct stat st {};
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 0u);
        EXPECT_EQ(st.st_gid, 0u);
        EXPECT_EQ(folderEntries(), std::vector<std::string>{"shared.txt"});
        EXPECT_TRUE(fs::is_empty(state() / "grimtally")) << "a kept copy outlived the save";
    }
}

TEST_F(PosixSaveFile, KeepsOwnerAndGroupOfAReplacedFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can make a file that belongs to someone else";
    put(path("theirs.txt"), "old");
    ASSERT_EQ(::chown(path("theirs.txt").c_str(), 1234, 5678), 0);
    writeFileAtomically(path("theirs.txt"), "new");
    struct stat st {};
    ASSERT_EQ(::stat(path("theirs.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 1234u);
    EXPECT_EQ(st.st_gid, 5678u);
    EXPECT_EQ(readWholeFile(path("theirs.txt")), "new");
}

TEST_F(PosixSaveFile, HardLinksStayOneFile)
{
    put(path("a.txt"), "old content");
    ASSERT_EQ(::link(path("a.txt").c_str(), path("b.txt").c_str()), 0);
    writeFileAtomically(path("a.txt"), "new");
    EXPECT_EQ(readWholeFile(path("b.txt")), "new");
    writeFileAtomically(path("b.txt"), "newer and much longer than before");
    EXPECT_EQ(readWholeFile(path("a.txt")), "newer and much longer than before");
    EXPECT_EQ(inodeOf(path("a.txt")), inodeOf(path("b.txt")));
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"a.txt", "b.txt"}));
}

TEST_F(PosixSaveFile, RefusesAnythingButARegularFile)
{
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0644), 0);
    fs::create_symlink(path("pipe"), path("pipe-link"));
    std::vector<std::string> nodes{"pipe", "pipe-link"};
    // Making a device node needs a privilege a container may withhold.
    if (::mknod(path("null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0)
        nodes.push_back("null");
    for (const std::string& node : nodes) {
        try {
            writeFileAtomically(path(node), "x"); // opening the pipe would hang here
            ADD_FAILURE() << node << ": no error";
        } catch (const FileError& error) {
            EXPECT_EQ(std::string(error.what()), path(node).string() + ": Not a regular file");
        }
    }
    struct stat st {};
    ASSERT_EQ(::lstat(path("pipe").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_TRUE(fs::is_symlink(path("pipe-link")));
    if (nodes.size() == 3) {
        EXPECT_TRUE(fs::is_character_file(path("null")));
    }
    EXPECT_EQ(folderEntries().size(), nodes.size());
}

// The file-size limit cuts the write short; the program gets an error, not SIGXFSZ, and
// both ways of saving leave the old content.
TEST_F(PosixSaveFile, FileSizeLimitGivesAnErrorAndKeepsTheOldContent)
{
    for (bool linked : {false, true}) {
        put(path("limited.txt"), "old content");
        if (linked) {
            ASSERT_EQ(::link(path("limited.txt").c_str(), path("other.txt").c_str()), 0);
        }
        const fs::path file = path("limited.txt");
        const auto saveOverTheLimit = [&file] {
            const struct rlimit limit {
                100, 100
            };
            ::setrlimit(RLIMIT_FSIZE, &limit);
            try {
                writeFileAtomically(file, std::string(100000, 'n'));
            } catch (const FileError& error) {
                std::fprintf(stderr, "%s\n", error.what());
                _exit(std::string(error.what()) == file.string() + ": " + std::strerror(EFBIG) ? 0
                                                                                               : 3);
            }
            _exit(4);
        };
        EXPECT_EXIT(saveOverTheLimit(), ::testing::ExitedWithCode(0), "")
            << (linked ? "in place" : "renamed");
        EXPECT_EQ(readWholeFile(file), "old content");
        EXPECT_EQ(folderEntries().size(), linked ? 2u : 1u);
        fs::remove(path("other.txt"));
    }
}

// A small file system that fills up: mounting one needs a privilege a container may lack.
TEST_F(PosixSaveFile, FullDiskKeepsTheOldContent)
{
    const fs::path disk = path("disk");
    fs::create_directory(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here: " << std::strerror(errno);
    const auto unmount = [&] { ::umount2(disk.c_str(), MNT_DETACH); };
    put(disk / "single.txt", "old single");
    put(disk / "linked.txt", "old linked");
    ASSERT_EQ(::link((disk / "linked.txt").c_str(), (disk / "link2.txt").c_str()), 0);
    for (const char* name : {"single.txt", "linked.txt"}) {
        try {
            writeFileAtomically(disk / name, std::string(256 * 1024, 'n'));
            ADD_FAILURE() << name << ": no error";
        } catch (const FileError& error) {
            EXPECT_EQ(std::string(error.what()),
                      (disk / name).string() + ": " + std::strerror(ENOSPC));
        }
    }
    EXPECT_EQ(readWholeFile(disk / "single.txt"), "old single");
    EXPECT_EQ(readWholeFile(disk / "link2.txt"), "old linked");
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(disk))
        ++entries;
    EXPECT_EQ(entries, 3u) << "a temporary file was left behind";
    unmount();
}

TEST_F(PosixSaveFile, WritesThroughSymbolicLinksAlsoDanglingOnes)
{
    put(path("real.txt"), "old");
    fs::create_symlink(path("real.txt"), path("link.txt"));
    fs::create_directory(path("sub"));
    fs::create_symlink("../later.txt", path("sub") / "dangling.txt"); // relative to its folder
    fs::create_symlink(path("sub") / "dangling.txt", path("chain.txt"));
    struct Case {
        fs::path saved;
        fs::path written;
    };
    for (const Case& c : {Case{path("link.txt"), path("real.txt")},
                          Case{path("sub") / "dangling.txt", path("later.txt")},
                          Case{path("chain.txt"), path("later.txt")}}) {
        writeFileAtomically(c.saved, "new " + c.saved.filename().string());
        EXPECT_TRUE(fs::is_symlink(c.saved)) << c.saved;
        EXPECT_EQ(readWholeFile(c.written), "new " + c.saved.filename().string());
    }
    EXPECT_EQ(folderEntries(),
              (std::vector<std::string>{"chain.txt", "later.txt", "link.txt", "real.txt", "sub"}));
}

TEST_F(PosixSaveFile, ACopyLeftByAnInterruptedRewriteIsFoundPutBackAndRemoved)
{
    // A rewrite in place killed part-way leaves the old content in "NAME.grimtally-old"
    // beside the file, or in the state folder under the file's device and inode.
    put(path("a.txt"), "new records and a torn li");
    ASSERT_EQ(::link(path("a.txt").c_str(), path("b.txt").c_str()), 0);
    EXPECT_EQ(grimtally::interruptedSaveCopy(path("a.txt")), std::nullopt);
    put(path("a.txt.grimtally-old"), "the old records");
    EXPECT_EQ(grimtally::interruptedSaveCopy(path("a.txt")), path("a.txt.grimtally-old"));
    grimtally::restoreInterruptedSave(path("a.txt"));
    EXPECT_EQ(readWholeFile(path("b.txt")), "the old records");
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"a.txt", "b.txt"}));

    struct stat st {};
    ASSERT_EQ(::stat(path("a.txt").c_str(), &st), 0);
    fs::create_directories(state() / "grimtally");
    const fs::path kept =
        state() / "grimtally" /
        (std::to_string(st.st_dev) + "-" + std::to_string(st.st_ino) + ".grimtally-old");
    put(kept, "older records");
    EXPECT_EQ(grimtally::interruptedSaveCopy(path("b.txt")), kept); // by any of its names
    // A save that completes makes the copy stale: it goes.
    writeFileAtomically(path("b.txt"), "saved");
    EXPECT_FALSE(fs::exists(kept));
    EXPECT_EQ(readWholeFile(path("a.txt")), "saved");
}

TEST_F(PosixSaveFile, AFailedRewriteInPlaceKeepsNoCopyAndAnEarlierCopyStays)
{
    put(path("a.txt"), "old");
    ASSERT_EQ(::link(path("a.txt").c_str(), path("b.txt").c_str()), 0);
    EXPECT_THROW(
        writeFileAtomically(path("a.txt"), [](std::ostream&) { throw std::runtime_error("no"); }),
        FileError);
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"a.txt", "b.txt"}));

    // The copy of an earlier interrupted save holds the last content known whole: a new
    // rewrite keeps it as its copy instead of copying the torn file over it.
    put(path("a.txt.grimtally-old"), "whole");
    struct rlimit limit {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const auto writeTooMuch = [&] {
        struct rlimit small = limit;
        small.rlim_cur = 16;
        ::setrlimit(RLIMIT_FSIZE, &small);
        try {
            writeFileAtomically(path("a.txt"), std::string(64, 'x'));
        } catch (const FileError&) {
            _exit(3);
        }
        _exit(0);
    };
    EXPECT_EXIT(writeTooMuch(), ::testing::ExitedWithCode(3), "");
    EXPECT_EQ(readWholeFile(path("a.txt")), "old");
    EXPECT_EQ(readWholeFile(path("a.txt.grimtally-old")), "whole");
}

} // namespace
