// The stat block is what a game master prints: its captions follow the language files, empty
// rows vanish, and the page breaks fall where the caller asked.
#include "core/exchange/statblock.h"
#include "core/records/datafile.h"
#include "core/text/textfile.h"

#include <gtest/gtest.h>
#include <numeric>
#include <sstream>
#include <string>

namespace grimtally {
namespace {

const std::string kShipped = GRIMTALLY_SHIPPED_DATA;
const std::string kTestData = GRIMTALLY_TEST_DATA;

RecordStore sampleStore(const std::string& folder)
{
    RecordStore store;
    store.replaceFrom(1, readDataFile(kShipped + folder + "/Sample.txt").records);
    return store;
}

Captions captions(const std::string& folder)
{
    return Captions::fromLanguage(IniFile::load(kShipped + folder + "/Language.txt"));
}

std::vector<int> allSlots(const RecordStore& store)
{
    std::vector<int> slots(static_cast<std::size_t>(store.recordCount()));
    std::iota(slots.begin(), slots.end(), 1);
    return slots;
}

std::size_t occurrences(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

std::string statBlocksHtml(const RecordStore& store, const std::vector<int>& slots,
                           const Captions& captions, int perPage)
{
    std::ostringstream html;
    writeStatBlocksHtml(html, store, slots, captions, perPage);
    return html.str();
}

TEST(StatBlock, MarkdownOfAKnownEnemyMatchesItsGoldenFile)
{
    const RecordStore store = sampleStore("");
    const std::vector<int> wraith{5}; // magics, abilities, a sub sense, a language
    ASSERT_EQ(store.name(5), "Bog Wraith");
    std::ostringstream markdown;
    writeStatBlocksMarkdown(markdown, store, wraith, Captions::defaults());
    EXPECT_EQ(markdown.str(), readWholeFile(kTestData + "/exchange/bog_wraith.md"));
}

TEST(StatBlock, JapaneseCaptionsComeFromTheJapaneseLanguageFile)
{
    const RecordStore store = sampleStore("/ja");
    const std::string html = statBlocksHtml(store, std::vector<int>{1}, captions("/ja"), 1);
    for (const char* expected :
         {"洞窟ネズミ", "モンスターレベル", "知名度", "2 (誰でもは必ず知っている)", "攻撃方法",
          "8 (2D6+1)", "回避/防護点", "副知覚", "嗅覚, 鋭い嗅覚"})
        EXPECT_NE(html.find(expected), std::string::npos) << expected;
    // Empty fields leave no row behind: the rat has no language and no magic.
    EXPECT_EQ(html.find("言語"), std::string::npos);
    EXPECT_EQ(html.find("魔法"), std::string::npos);
}

TEST(StatBlock, PageBreaksFollowTheBlocksPerPage)
{
    const RecordStore store = sampleStore("");
    const std::vector<int> slots = allSlots(store); // 12 enemies
    const Captions words = Captions::defaults();
    const std::string breakMark = "page-break-before: always";
    EXPECT_EQ(occurrences(statBlocksHtml(store, slots, words, 1), breakMark), 11u);
    EXPECT_EQ(occurrences(statBlocksHtml(store, slots, words, 2), breakMark), 5u);
    EXPECT_EQ(occurrences(statBlocksHtml(store, slots, words, 0), breakMark), 0u);
}

TEST(StatBlock, MarkupInTextsIsQuoted)
{
    std::vector<std::string> fields(kFieldCount);
    fields[FieldHabitat] = "<b>Caves</b> & *tunnels* | pits";
    const FieldList list{std::span<const std::string>(fields)};
    const StatBlock block = layOutStatBlock("A \"B\"", list, Captions::defaults());
    const std::string html = statBlockHtml(block);
    EXPECT_NE(html.find("&lt;b&gt;Caves&lt;/b&gt; &amp; *tunnels* | pits"), std::string::npos);
    EXPECT_NE(html.find("A &quot;B&quot;"), std::string::npos);
    const std::string markdown = statBlockMarkdown(block);
    EXPECT_NE(markdown.find("\\<b\\>Caves\\</b\\> &amp; \\*tunnels\\* \\| pits"),
              std::string::npos);
}

} // namespace
} // namespace grimtally
