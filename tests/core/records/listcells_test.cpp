#include "core/records/listcells.h"
#include "core/records/recordstore.h"
#include "core/text/commatext.h"
#include "test_records.h"

#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace grimtally {
namespace {

using test::fieldList;
using test::wolfFields;

TEST(ListCells, EveryColumnOfARealisticRecord)
{
    const FieldList wolf = fieldList(wolfFields());
    const char* expected[kListColumnCount] = {
        "Grey Wolf",
        "Beast",
        "3",
        "12",
        "14",
        "15(Walk)/6(Swim)",
        "2-5",
        "Rare",
        "Animal",
        "Hostile",
        "Bite-8/2d+3",
        "Claw-7/2d",
        "",
        "7/3",
        "30/5",
        "10/4",
        R"("Fire 2/9","""Keen nose"",Night")",
        "Forest",
        "None",
        "Smell-Heat,Sound",
    };
    for (int column = 0; column < kListColumnCount; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(listCell("Grey Wolf", wolf, column, CellWords()), expected[column]);
    }
}

TEST(ListCells, ConditionalParts)
{
    struct Case {
        const char* what;
        std::vector<std::pair<int, std::string>> changes;
        int column;
        std::string expected;
    };
    const Case cases[] = {
        {"celebrity qualifier", {{FieldCelebrityQualifier, "Known"}}, 3, "12,Known"},
        {"no second movement method", {{FieldSubMovement, ""}}, 5, "15(Walk)"},
        {"second method without speed", {{FieldSubSpeed, ""}}, 5, "15(Walk)/(Swim)"},
        {"nothing in the main movement",
         {{FieldMainSpeed, ""}, {FieldMainMovement, ""}},
         5,
         "()/6(Swim)"},
        {"no upper count", {{FieldCountHigh, ""}}, 6, "2"},
        {"second reaction", {{FieldReaction2, "Wary"}}, 9, "Hostile-Wary"},
        {"no first attack",
         {{FieldAttack1Method, ""}, {FieldAttack1Hit, ""}, {FieldAttack1Damage, ""}},
         10,
         "-/"},
        {"second attack without method", {{FieldAttack2Method, ""}}, 11, ""},
        {"third attack",
         {{FieldAttack3Method, "Horn"}, {FieldAttack3Hit, "5"}, {FieldAttack3Damage, "1d"}},
         12,
         "Horn-5/1d"},
        {"no magic, no ability", {{FieldMagic1Kind, ""}, {FieldAbility, ""}}, 16, R"("")"},
        {"one magic, no ability", {{FieldAbility, ""}}, 16, R"("Fire 2/9",)"},
        {"magic 3 without 1 and 2",
         {{FieldMagic1Kind, ""},
          {FieldMagic3Kind, "Ice"},
          {FieldMagic3Level, "1"},
          {FieldMagic3Power, "4"},
          {FieldAbility, "Swift"}},
         16,
         R"("Ice 1/4",Swift)"},
        {"magic level empty",
         {{FieldMagic1Level, ""}, {FieldAbility, "Swift"}},
         16,
         R"("Fire /9",Swift)"},
        {"no sub-senses", {{FieldSubSenses, ""}}, 19, "Smell"},
        {"sub-senses of blanks", {{FieldSubSenses, "   "}}, 19, "Smell"},
        {"sub-sense of one empty item", {{FieldSubSenses, R"("")"}}, 19, R"(Smell-"")"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> fields = wolfFields();
        for (const auto& [field, value] : c.changes)
            fields[field] = value;
        EXPECT_EQ(listCell("Wolf", fieldList(fields), c.column, CellWords()), c.expected);
    }
}

TEST(ListCells, CellsUseTheGivenWords)
{
    const FieldList wolf = fieldList(wolfFields());
    const CellWords words{"|", "~"};
    EXPECT_EQ(listCell("", wolf, 5, words), "15(Walk)|6(Swim)");
    EXPECT_EQ(listCell("", wolf, 6, words), "2~5");
    EXPECT_EQ(listCell("", wolf, 10, words), "Bite~8|2d+3");
    EXPECT_EQ(listCell("", wolf, 16, words), R"("Fire 2|9","""Keen nose"",Night")");
    EXPECT_EQ(listCell("", wolf, 13, CellWords{"", ""}), "73");
}

TEST(ListCells, ShortFieldListsReadAsEmpty)
{
    const FieldList none;
    EXPECT_EQ(listCell("Odd", none, 0, CellWords()), "Odd");
    EXPECT_EQ(listCell("Odd", none, 2, CellWords()), "");
    EXPECT_EQ(listCell("Odd", none, 10, CellWords()), "-/");
    EXPECT_EQ(listCell("Odd", none, 16, CellWords()), R"("")");
    EXPECT_EQ(listCell("Odd", none, 19, CellWords()), "");

    const std::vector<std::string> three{"Beast", "3", "12"};
    EXPECT_EQ(listCell("Odd", fieldList(three), 3, CellWords()), "12");
    std::vector<std::string> toMagic2(FieldMagic2Kind + 2);
    toMagic2[FieldMagic1Kind] = "Fire";
    toMagic2[FieldMagic2Kind] = "Ice";
    RecordStore store;
    store.append({"Odd", fieldList(three)});
    store.append({"Odd", fieldList(toMagic2)});
    EXPECT_EQ(listCell("Odd", store.fields(1), 16, CellWords()), R"("")");
    EXPECT_EQ(listCell("Odd", store.fields(2), 16, CellWords()), R"("Fire /","Ice /",)");
    EXPECT_THROW(listCell("Odd", none, kListColumnCount, CellWords()), std::out_of_range);
    EXPECT_THROW(listCell("Odd", none, -1, CellWords()), std::out_of_range);
}

TEST(ListSort, LeadingNumber)
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    const std::pair<const char*, std::int64_t> cases[] = {
        {"", 0},
        {"Bite-8/2d", 0},
        {"42", 42},
        {"007", 7},
        {"   42abc", 42},
        {"15(Walk)/6(Swim)", 15},
        {"2-5", 2},
        {"-12abc", -12},
        {"+3", 3},
        {"-", 0},
        {"- 5", 0},
        {"\t5", 0},
        {"9223372036854775807", kMax},
        {"9223372036854775808", kMax},
        {"99999999999999999999999", kMax},
        {"-9223372036854775808", kMin},
        {"-9223372036854775809", kMin},
    };
    for (const auto& [cell, number] : cases) {
        SCOPED_TRACE(cell);
        EXPECT_EQ(leadingNumber(cell), number);
    }
}

TEST(ListSort, Comparison)
{
    struct Case {
        std::string a;
        std::string b;
        int column;
        int direction;
        int expected; // sign
    };
    const Case cases[] = {
        // Numbers first, whatever the text says.
        {"10", "9", 2, 1, 1},
        {"9", "10", 2, 1, -1},
        {"9", "10", 2, -1, 1},
        {" 12", "3", 2, 1, 1},
        {"-5", "3", 2, 1, -1},
        {"2-5", "10", 6, 1, -1},
        // Equal numbers fall back to the text of the whole cell.
        {"12(Walk)", "12(Fly)", 5, 1, 1},
        {"12(Walk)", "12(Fly)", 5, -1, -1},
        {"+7", "7x", 2, 1, -1},
        {"Bite-8/2d", "Claw-7/2d", 10, 1, -1},
        {"3", "3", 2, 1, 0},
        // Only a..z fold, byte by byte, also inside double-byte characters.
        {"abc", "ABC", 1, 1, 0},
        {"abc", "ABD", 1, 1, -1},
        {"_", "a", 1, 1, 1},
        {"z", "[", 1, 1, -1},
        {"\xE9", "z", 1, 1, 1},
        {"\x83\x61", "\x83\x41", 1, 1, 0},
        {"\x83\x5c", "\x82\xa0", 1, 1, 1},
        // A text that begins another comes first.
        {"Wolf", "Wolfhound", 0, 1, -1},
        {"Wolf", "Wolfhound", 0, -1, 1},
        {"", "A", 0, 1, -1},
        // Column 0 never reads numbers.
        {"10", "9", 0, 1, -1},
        // Saturated numbers are equal, so the text decides; nothing overflows.
        {"99999999999999999999", "99999999999999999998", 2, 1, 1},
        {"-99999999999999999999", "99999999999999999999", 2, 1, -1},
        {"-99999999999999999999", "99999999999999999999", 2, -1, 1},
        {"9223372036854775807", "-9223372036854775808", 2, 1, 1},
        // No direction: everything is equal.
        {"1", "2", 2, 0, 0},
        {"a", "b", 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.a + " | " + c.b + " col " + std::to_string(c.column) + " dir " +
                     std::to_string(c.direction));
        const int result = compareListCells(c.a, c.b, c.column, c.direction);
        EXPECT_EQ((result > 0) - (result < 0), c.expected);
    }
}

TEST(ListSort, TextComparisonGivesTheByteDifference)
{
    EXPECT_EQ(compareListText("B", "a"), 'B' - 'A');
    EXPECT_EQ(compareListText("\xff", "a"), 0xff - 'A');
}

// The ability and sub-sense cells are written without a list of strings; they must still be
// the comma text of that list.
TEST(ListCells, AbilityAndSubSenseCellsFollowTheCommaTextRules)
{
    std::mt19937 random(11);
    int round = 0;
    // The long piece makes some records keep their lengths in more than a byte each.
    const std::string pieces[] = {"",   "Fire", " ",        "\"", ",",
                                  "\t", "a b",  "\x83\x5c", "3",  std::string(130, 'x')};
    auto text = [&] {
        std::string result;
        for (int i = std::uniform_int_distribution<int>(0, 3)(random); i > 0; --i)
            result += pieces[std::uniform_int_distribution<std::size_t>(0, 8 + round % 2)(random)];
        return result;
    };
    for (round = 0; round < 500; ++round) {
        std::vector<std::string> fields(kFieldCount);
        for (int field = FieldMagic1Kind; field <= FieldSubSenses; ++field)
            fields[field] = text();
        const CellWords words{text(), "-"};
        SCOPED_TRACE(round);

        std::vector<std::string> items;
        for (int kind : {FieldMagic1Kind, FieldMagic2Kind, FieldMagic3Kind}) {
            if (!fields[kind].empty())
                items.push_back(fields[kind] + " " + fields[kind + 1] + words.slash +
                                fields[kind + 2]);
        }
        items.push_back(fields[FieldAbility]);
        const FieldList list = test::fieldList(fields);
        const std::string expected = joinCommaText(std::span<const std::string>(items));
        EXPECT_EQ(listCell("", list, 16, words), expected);
        // As a stored record's fields, read in one pass.
        RecordStore store;
        const int slot = store.append({"Name", list});
        EXPECT_EQ(listCell("", store.fields(slot), 16, words), expected);
        EXPECT_EQ(listCell("", list, 19, words),
                  splitCommaText(fields[FieldSubSenses]).empty()
                      ? fields[FieldSense]
                      : fields[FieldSense] + "-" + fields[FieldSubSenses]);
    }
}

// Each field the list shows lies in the cell of its column; the others show nowhere.
TEST(ListCells, TheColumnOfEveryField)
{
    std::vector<std::string> fields(kFieldCount);
    for (int field = 0; field < kFieldCount; ++field)
        fields[static_cast<std::size_t>(field)] = "<" + std::to_string(field) + ">";
    const FieldList all = fieldList(fields);
    for (int field = 0; field < kFieldCount; ++field) {
        SCOPED_TRACE(field);
        const int column = listColumnOfField(field);
        EXPECT_EQ(listShowsField(all, field), column >= 0);
        EXPECT_EQ(column < 0, field >= FieldStrength);
        for (int other = 0; other < kListColumnCount; ++other) {
            const std::string cell = listCell("n", all, other, CellWords());
            EXPECT_EQ(cell.find(fields[static_cast<std::size_t>(field)]) != std::string::npos,
                      other == column);
        }
    }
    // Shown only beside the field they belong to.
    fields[FieldSubMovement] = fields[FieldAttack2Method] = fields[FieldMagic3Kind] = "";
    fields[FieldSubSenses] = " ";
    const FieldList without = fieldList(fields);
    for (int field : {FieldSubSpeed, FieldAttack2Hit, FieldAttack2Damage, FieldMagic3Level,
                      FieldMagic3Power, FieldSubSenses})
        EXPECT_FALSE(listShowsField(without, field)) << field;
}

} // namespace
} // namespace grimtally
