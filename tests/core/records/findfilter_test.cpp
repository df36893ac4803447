#include "core/records/findfilter.h"
#include "core/text/sjis.h"
#include "test_records.h"

#include <gtest/gtest.h>
#include <random>

namespace grimtally {
namespace {

std::string sjis(const char* utf8)
{
    return utf8ToCp932(utf8).value();
}

// The slots findRecords keeps, each checked against the plain rule.
std::vector<int> found(const RecordStore& store, const FindQuery& query)
{
    const std::vector<int> slots = store.recordSlots();
    std::vector<std::uint8_t> kept(static_cast<std::size_t>(store.slotCount()), 2);
    const std::size_t count = findRecords(store, query, slots, kept);
    std::vector<int> result;
    for (int slot : slots) {
        const bool keeps = kept[static_cast<std::size_t>(slot)] == 1;
        EXPECT_EQ(keeps, query.matches(store.name(slot), store.fields(slot)))
            << "slot " << slot << ": " << cp932ToUtf8(store.name(slot));
        if (keeps)
            result.push_back(slot);
    }
    EXPECT_EQ(count, result.size()); // the list trusts the count to see whether rows changed
    return result;
}

RecordStore storeOf(const std::vector<EnemyRecord>& records)
{
    RecordStore store;
    store.replaceFrom(1, records);
    return store;
}

TEST(FindFilter, EveryWordInOneOfTheShownCells)
{
    // The wolf's cells: "Grey Wolf", "Beast", "3", "12", "14", "15(Walk)/6(Swim)", "2-5",
    // "Rare", "Animal", "Hostile", "Bite-8/2d+3", "Claw-7/2d", "", "7/3", "30/5", "10/4",
    // "\"Fire 2/9\",\"\"\"Keen nose\"\",Night\"", "Forest", "None", "Smell-Heat,Sound".
    const RecordStore store = storeOf({test::record("Grey Wolf", test::wolfFields())});
    struct Case {
        const char* typed;
        bool found;
    };
    const Case cases[] = {
        {"", true},
        {"wolf", true},
        {"ＷＯＬＦ", true},
        {"  grey　beast ", true}, // blanks of either width part the words
        {"grey dragon", false},
        {"walk)/6", true},   // across the joining words of one cell
        {"walkswim", false}, // two fields of a cell do not touch
        {"bite-8/2d", true},
        {"5/10", false},  // two cells do not touch either
        {"large", false}, // size, strength and hardness are not shown
        {"soft", false},
        {"/", true}, // in every row, whatever the fields hold
        {"(", true},
        {")/", true},
        {"()", false},
        {"\"\"keen", true}, // the ability cell doubles the quotes
        {"nose\"\",", true},
        {"keen nose", true},
        {"heat,sound", true},
        {"fire 2/9", true},
        {",", true},
        {"９", true},
    };
    for (const Case& c : cases) {
        const FindQuery query(sjis(c.typed), CellWords());
        EXPECT_EQ(found(store, query).size(), c.found ? 1u : 0u) << c.typed;
    }
}

TEST(FindFilter, ShowsFieldsOnlyBesideWhatTheyBelongTo)
{
    std::vector<std::string> fields = test::wolfFields();
    fields[FieldSubMovement] = "";     // the second speed, 6, is no longer shown
    fields[FieldAttack2Damage] = "9d"; // nor the damage of an attack without a method
    fields[FieldAttack2Method] = "";
    fields[FieldMagic1Level] = "Q";
    fields[FieldMagic1Kind] = "";
    const RecordStore store = storeOf({test::record("Wolf", fields)});
    for (const char* hidden : {"6", "9d", "q"})
        EXPECT_TRUE(found(store, FindQuery(hidden, CellWords())).empty()) << hidden;
    fields[FieldMagic1Kind] = "Fire";
    const RecordStore shown = storeOf({test::record("Wolf", fields)});
    EXPECT_EQ(found(shown, FindQuery("fire q/", CellWords())).size(), 1u);
}

TEST(FindFilter, KanaInAnyWidthAndEitherScript)
{
    std::vector<std::string> fields(kFieldCount);
    fields[FieldClassify] = sjis("亜人");
    fields[FieldHabitat] = sjis("ﾀﾞﾝｼﾞｮﾝ");
    const RecordStore store =
        storeOf({test::record(sjis("ゴブリン"), fields), test::record(sjis("コボルト"), fields)});
    struct Case {
        const char* typed;
        std::vector<int> slots;
    };
    const Case cases[] = {
        {"ごぶりん", {1}}, {"ｺﾞﾌﾞﾘﾝ", {1}},        {"ゴぶ", {1}},
        {"コブ", {}},      {"だんじょん", {1, 2}}, {"ダンジョン 亜人", {1, 2}},
        {"ぼると", {2}},   {"ボルト亜", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(found(store, FindQuery(sjis(c.typed), CellWords())), c.slots) << c.typed;
}

TEST(FindFilter, BytesThatAreNoCharacterFindThemselves)
{
    std::vector<std::string> fields(kFieldCount);
    fields[FieldHabitat] = "x\x81";     // a lead byte at the end
    fields[FieldLanguage] = "\x85\x40"; // no character: shown as a replacement and "@"
    const RecordStore store = storeOf({test::record("A\x80"
                                                    "B",
                                                    fields),
                                       test::record("\x8A\x61", {})}); // a trail byte 'a'
    struct Case {
        std::string typed;
        std::vector<int> slots;
    };
    const Case cases[] = {
        {"\x80", {1}},
        {"a\x80"
         "b",
         {1}},
        {"@", {1}},
        {"\x81", {1}},
        {"x\x81", {1}},
        {"\xA0", {}},
        {"a", {1}},
        {"\x8A\x61", {2}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(found(store, FindQuery(c.typed, CellWords())), c.slots) << cp932ToUtf8(c.typed);
}

TEST(FindFilter, NarrowsWhenEveryWordLiesInANewOne)
{
    struct Case {
        const char* wider;
        const char* narrower;
        bool narrows;
    };
    const Case cases[] = {
        {"", "a", true},        {"go", "gob", true},        {"gob", "go", false},
        {"go", "ｇｏｂ", true}, {"go li", "lin gob", true}, {"go li", "gob", false},
        {"go", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            FindQuery(sjis(c.narrower), CellWords()).narrows(FindQuery(sjis(c.wider), CellWords())),
            c.narrows)
            << c.wider << " -> " << c.narrower;
    }
    EXPECT_FALSE(FindQuery("a", CellWords{"|", "-"}).narrows(FindQuery("a", CellWords())));
}

// Records with any number of fields, the word in each field in turn: the shown texts' length,
// worked out from the fields' lengths in blocks, ends where the last shown field does.
TEST(FindFilter, FindsInTheLastShownFieldOfAnyCount)
{
    std::vector<EnemyRecord> made;
    const int counts[] = {0,          1, 15, 16, 17, 31, 32, 33, FieldSubSenses, FieldSubSenses + 1,
                          kFieldCount};
    for (int count : counts) {
        for (int at = -1; at < count; ++at) {
            std::vector<std::string> fields;
            for (int field = 0; field < count; ++field)
                fields.push_back(
                    field == at ? "q" : std::string(static_cast<std::size_t>(field % 5), 'x'));
            made.push_back(test::record(at < 0 ? "q" : "x", fields));
        }
    }
    const RecordStore store = storeOf(made);
    EXPECT_GT(found(store, FindQuery("q", CellWords())).size(), 100u);
}

// Records of pieces that trip up byte-wise searches (every width and script of a kana, a
// letter as a trail byte, bytes that are no character, marks, quotes and commas), and words
// cut from their cells at any byte: the search on the records' bytes finds what the plain
// rule finds, with joining words that keep to themselves and with ones that do not.
TEST(FindFilter, FindsWhatThePlainRuleFinds)
{
    const std::vector<std::string> pieces = {
        "a",        "A",        "\x82\x82", "1",        "\x82\x50", "\xB6",     "\xB6\xDE",
        "\x82\xAA", "\x83\x4B", "\x82\xA9", "\xCA\xDF", "\x82\xCF", "\xB0",     "\x81\x5B",
        "\x8A\x61", "\x83\x5C", "\x80",     "\x85\x40", "\x81",     "\"",       ",",
        " ",        "(",        "/",        "-",        "\xDE",     "\xFA\x5B", "\x81\xE6"};
    std::mt19937 random(7);
    const auto below = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    const auto text = [&](std::size_t most) {
        std::string bytes;
        for (std::size_t n = below(most + 1); n > 0; --n)
            bytes += pieces[below(pieces.size())];
        return bytes;
    };
    const auto records = [&](std::size_t count) {
        std::vector<EnemyRecord> made;
        for (std::size_t i = 0; i < count; ++i) {
            std::vector<std::string> fields(kFieldCount);
            for (std::string& field : fields)
                field = below(3) == 0 ? std::string() : text(3);
            made.push_back(test::record(text(4), fields));
        }
        return made;
    };
    const std::vector<CellWords> joinings = {CellWords(),   {"\x81\x5E", "-"}, {"", "-"},
                                             {"/", "\xB6"}, {"\xDE", "-"},     {"/", "x\x81"}};
    for (const CellWords& words : joinings) {
        const RecordStore store = storeOf(records(300));
        for (int q = 0; q < 150; ++q) {
            // Mostly a stretch of some cell, so that many rows are found.
            std::string typed;
            for (std::size_t w = 1 + below(2); w > 0; --w) {
                const int slot = 1 + static_cast<int>(below(300));
                const std::string cell = listCell(store.name(slot), store.fields(slot),
                                                  static_cast<int>(below(kListColumnCount)), words);
                const std::size_t from = cell.empty() ? 0 : below(cell.size());
                typed += (below(4) == 0 ? text(2) : cell.substr(from, 1 + below(6))) + " ";
            }
            SCOPED_TRACE(cp932ToUtf8(typed) + " joined by " + cp932ToUtf8(words.slash) + " " +
                         cp932ToUtf8(words.hyphen));
            found(store, FindQuery(typed, words));
        }
    }
    // Enough records for two threads.
    const RecordStore many = storeOf(records(kFindTwoThreadSlots + 100));
    for (const char* typed : {"a", "\x82\xAA", "1/", "\x80 -"})
        found(many, FindQuery(typed, CellWords()));
}

} // namespace
} // namespace grimtally
