#include "core/text/contenthash.h"
#include "core/text/filefingerprint.h"
#include "core/text/fileidentity.h"
#include "core/text/savefile.h"
#include "core/text/textfile.h"
#include "tests/core/text/tempfolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using grimtally::ContentHash;

namespace {

std::string bytes1027()
{
    std::string bytes;
    for (int round = 0; round < 4; ++round)
        for (int b = 0; b < 256; ++b)
            bytes += static_cast<char>(b);
    return bytes + "xyz";
}

// The published XXH64 values (seed 0), so files hash alike on every system and every version.
TEST(ContentHash, Xxh64GivesTheKnownValuesWholeAndInPieces)
{
    const struct {
        std::string bytes;
        std::uint64_t hash;
    } cases[] = {
        {"", 0xef46db3751d8e999},
        {"a", 0xd24ec4f1a98c6e5b},
        {"abc", 0x44bc2cf5ad770999},
        {"0123456789abcdefghijklmnopqrstuvwxyz", 0x69196c1b3af0bff9},
        {bytes1027(), 0xe146cb31b65bc21a},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(grimtally::Xxh64::of(c.bytes), c.hash) << c.bytes.size() << " bytes";
        // Pieces that cut the 32-byte stripes anywhere.
        for (std::size_t piece : {1u, 5u, 31u, 33u}) {
            grimtally::Xxh64 hash;
            for (std::size_t at = 0; at < c.bytes.size(); at += piece)
                hash.add(std::string_view(c.bytes).substr(at, piece));
            EXPECT_EQ(hash.value(), c.hash) << c.bytes.size() << " bytes in pieces of " << piece;
        }
    }
}

// Streamed in any pieces, or from chunks hashed apart (as two threads do), a file hashes alike;
// a byte changed anywhere, or one more, changes it.
TEST(ContentHash, StreamedAndChunkedAgree)
{
    std::string bytes;
    for (std::size_t i = 0; bytes.size() < 2 * ContentHash::kChunk + 12345; ++i)
        bytes += bytes1027();
    for (std::size_t size : {std::size_t{0}, std::size_t{7}, ContentHash::kChunk,
                             ContentHash::kChunk + 1, bytes.size()}) {
        const std::string_view file = std::string_view(bytes).substr(0, size);
        std::vector<std::uint64_t> chunks;
        for (std::size_t at = 0; at < size; at += ContentHash::kChunk)
            chunks.push_back(grimtally::Xxh64::of(file.substr(at, ContentHash::kChunk)));
        ContentHash streamed;
        for (std::size_t at = 0; at < size; at += 100003)
            streamed.add(file.substr(at, 100003));
        EXPECT_EQ(streamed.value(), ContentHash::ofChunks(chunks, size)) << size;
        EXPECT_EQ(ContentHash::of(file), streamed.value()) << size;
    }
    std::string changed = bytes;
    changed[ContentHash::kChunk + 5] ^= 1;
    EXPECT_NE(ContentHash::of(changed), ContentHash::of(bytes));
    EXPECT_NE(ContentHash::of(bytes + '\0'), ContentHash::of(bytes));
}

class FileFingerprintTest : public TempFolder {
protected:
    void write(const std::filesystem::path& file, const std::string& bytes)
    {
        std::ofstream(file, std::ios::binary) << bytes;
    }
    grimtally::FileFingerprint fingerprintOf(const std::filesystem::path& file,
                                             const std::string& bytes)
    {
        return grimtally::fingerprintAfter(file, bytes.size(), ContentHash::of(bytes));
    }
};

TEST_F(FileFingerprintTest, TellsChangedReplacedAndRemovedFilesFromUntouchedOnes)
{
    using grimtally::FileChange;
    const auto file = path("enemies.txt");
    write(file, "\"Wolf\",1\r\n");
    const auto read = fingerprintOf(file, "\"Wolf\",1\r\n");
    EXPECT_EQ(grimtally::changeSince(file, read), FileChange::None);

    // Written again with the same bytes (another editor saved without a change): no change.
    grimtally::writeFileAtomically(file, "\"Wolf\",1\r\n");
    EXPECT_EQ(grimtally::changeSince(file, read), FileChange::None);

    // The same size and, on a coarse clock, the same time: only the content tells.
    write(file, "\"Wolf\",2\r\n");
    EXPECT_EQ(grimtally::changeSince(file, read), FileChange::Changed);
    write(file, "\"Wolf\",1\r\n\"Bat\",1\r\n");
    EXPECT_EQ(grimtally::changeSince(file, read), FileChange::Changed);

    std::filesystem::remove(file);
    EXPECT_EQ(grimtally::changeSince(file, read), FileChange::Removed);
    EXPECT_EQ(grimtally::changeSince(path("missing") / "enemies.txt", read), FileChange::Removed);
}

TEST_F(FileFingerprintTest, SameFileFollowsOtherSpellingsOfAPath)
{
    const auto file = path("a.txt");
    write(file, "x");
    EXPECT_TRUE(grimtally::sameFile(file, folder() / "." / "a.txt"));
    EXPECT_FALSE(grimtally::sameFile(file, path("b.txt")));
    // Neither there: by their names.
    EXPECT_TRUE(grimtally::sameFile(path("gone.txt"), folder() / "x" / ".." / "gone.txt"));
}

TEST_F(FileFingerprintTest, AHeldFileCannotBeTakenOverUntilItIsLetGo)
{
    const auto file = path(".journal");
    auto held = grimtally::HeldFile::create(file);
    held->append("one ");
    held->append("two");
    EXPECT_THROW(grimtally::HeldFile::create(file), grimtally::FileError);
    // Nothing written over and no passing name left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder()),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_EQ(grimtally::HeldFile::takeOver(file), nullptr);
    held.reset();

    auto taken = grimtally::HeldFile::takeOver(file);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->readAll(), "one two");
    taken->moveTo(path("aside"));
    EXPECT_FALSE(std::filesystem::exists(file));
    auto again = grimtally::HeldFile::takeOver(path("aside"));
    ASSERT_NE(again, nullptr);
    again->remove();
    EXPECT_FALSE(std::filesystem::exists(path("aside")));
}

} // namespace
