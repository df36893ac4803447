#include "core/rules/choicetables.h"

#include <chrono>
#include <gtest/gtest.h>

namespace grimtally {
namespace {

ChoiceTables read(std::string_view text)
{
    return readChoiceTables(IniFile::parse(text), "C.txt");
}

using Strings = std::vector<std::string>;

TEST(ReadChoiceTables, FillsEverySectionInItsForm)
{
    const ChoiceTables t = read("; a comment before any section\r\n"
                                "stray line outside a section\r\n"
                                "[classify]\r\nBeast\r\nWalking Dead\r\n"
                                "[celebrity]\r\nrumoured\r\n"
                                "[count]\r\n1\r\n2\r\nHorde\r\n"
                                "[frequency]\r\nRare\r\n"
                                "[reaction]\r\nHostile\r\nwary, then hostile\r\n"
                                "[intelligence]\r\nMindless,-3\r\n\"Very Clever\",2,extra\r\n"
                                "[sense]\r\nNormal\r\n"
                                "[sense-sub]\r\nScent\r\nKeen Scent\r\n"
                                "[movement]\r\nWalk\r\n"
                                "[size]\r\nTiny,-2\r\nMote,-6\r\nHuge,3\r\n"
                                "[hardness]\r\n\"Thick Hide\",2\r\n"
                                "[hit]\r\nBlade,2\r\nGrapple,Hold\r\n"
                                "[damage]\r\nTouch,-10\r\n"
                                "[critical]\r\nBlade,10\r\n"
                                "[attack]\r\n\"Long Sword\",Blade,Blade,Blade,ignored\r\n"
                                "[magic]\r\nFire\r\n"
                                "[ability]\r\nRegrows lost limbs, slowly\r\n");
    EXPECT_EQ(t.classify, (Strings{"Beast", "Walking Dead"}));
    EXPECT_EQ(t.celebrity, (Strings{"rumoured"}));
    EXPECT_EQ(t.count, (Strings{"1", "2", "Horde"}));
    EXPECT_EQ(t.frequency, (Strings{"Rare"}));
    EXPECT_EQ(t.reaction, (Strings{"Hostile", "wary, then hostile"})); // whole rows stay whole
    EXPECT_EQ(t.intelligence, (std::vector<NumberedEntry>{{"Mindless", -3}, {"Very Clever", 2}}));
    EXPECT_EQ(t.sense, (Strings{"Normal"}));
    EXPECT_EQ(t.subSenses, (Strings{"Scent", "Keen Scent"}));
    EXPECT_EQ(t.movement, (Strings{"Walk"}));
    EXPECT_EQ(t.size, (std::vector<NumberedEntry>{{"Tiny", 4}, {"Mote", 0}, {"Huge", 9}}));
    EXPECT_EQ(t.hardness, (std::vector<NumberedEntry>{{"Thick Hide", 2}}));
    EXPECT_EQ(t.hit.keys, (Strings{"Blade", "Grapple"}));
    EXPECT_EQ(t.hit.values, (Strings{"2", "Hold"}));
    EXPECT_EQ(t.damage.values, (Strings{"-10"}));
    EXPECT_EQ(t.critical.keys, (Strings{"Blade"}));
    EXPECT_EQ(t.attacks, (std::vector<AttackRow>{{"Long Sword", "Blade", "Blade", "Blade"}}));
    EXPECT_EQ(t.attackNames(), (Strings{"Long Sword"}));
    EXPECT_EQ(t.magic, (Strings{"Fire"}));
    EXPECT_EQ(t.abilities, (Strings{"Regrows lost limbs, slowly"}));
}

TEST(ReadChoiceTables, MissingSectionsAndMissingFileGiveEmptyLists)
{
    const ChoiceTables partial = read("[classify]\r\nBeast\r\n");
    EXPECT_EQ(partial.classify, (Strings{"Beast"}));
    EXPECT_TRUE(partial.size.empty());
    EXPECT_TRUE(partial.attacks.empty());
    EXPECT_TRUE(partial.hit.keys.empty());

    const ChoiceTables none = readChoiceTables(IniFile(), "Missing.txt");
    EXPECT_TRUE(none.classify.empty());
    EXPECT_TRUE(none.intelligence.empty());
    EXPECT_TRUE(none.subSenses.empty());
    EXPECT_TRUE(none.critical.values.empty());
    EXPECT_TRUE(none.abilities.empty());
}

TEST(ReadChoiceTables, UnquotedBlankShiftsTheHardnessItems)
{
    // "Thick 2,5" splits into Thick, 2, 5: the second word is read as the number.
    EXPECT_EQ(read("[hardness]\r\nThick 2,5\r\n").hardness,
              (std::vector<NumberedEntry>{{"Thick", 2}}));
    EXPECT_THROW(read("[hardness]\r\nThick Hide,2\r\n"), ChoiceFileError);
}

TEST(ReadChoiceTables, BadSplitRowsReportSectionAndRow)
{
    struct Case {
        const char* file;
        const char* section;
        int row;
    };
    const Case cases[] = {
        {"[intelligence]\r\nDim,-1\r\nBright\r\n", "intelligence", 2},
        {"[intelligence]\r\nDim,one\r\n", "intelligence", 1},
        {"[size]\r\nSmall,-1\r\n; comment is not a row\r\n\r\nHuge x\r\n", "size", 2},
        {"[size]\r\nVast,2147483647\r\n", "size", 1}, // the dodge term would overflow
        {"[size]\r\nVast,1.5\r\n", "size", 1},
        {"[hardness]\r\nSoft,0\r\nStone,\"\"\r\n", "hardness", 2},
        {"[hit]\r\nBlade,1\r\nBlade,2\r\nClaw\r\n", "hit", 3},
        {"[damage]\r\n\"\"\r\n", "damage", 1},
        {"[critical]\r\nBlade\r\n", "critical", 1},
        {"[attack]\r\nSword,Blade,Blade,Blade\r\nSword,Blade,Blade\r\n", "attack", 2},
        // sections are read in their fixed order, so the size error comes first
        {"[attack]\r\nx\r\n[size]\r\ny\r\n", "size", 1},
    };
    for (const Case& c : cases) {
        try {
            read(c.file);
            ADD_FAILURE() << "no error for " << c.file;
        } catch (const ChoiceFileError& e) {
            EXPECT_EQ(e.section(), c.section) << c.file;
            EXPECT_EQ(e.row(), c.row) << c.file;
        }
    }
}

TEST(ReadChoiceTables, ErrorTextNamesFileAndShortensLongRows)
{
    try {
        read("[size]\r\nHuge x\r\n");
        FAIL() << "no error";
    } catch (const ChoiceFileError& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("C.txt"), std::string::npos) << text;
        EXPECT_NE(text.find("[size]"), std::string::npos) << text;
        EXPECT_NE(text.find("Huge x"), std::string::npos) << text;
    }
    // A long row of double-byte characters is cut between characters, never inside one.
    std::string row = "\x95\x5C"; // a character whose second byte is a backslash
    for (int i = 0; i < 100; ++i)
        row += "\x83\x5C";
    try {
        read("[hardness]\r\n" + row + "\r\n");
        FAIL() << "no error";
    } catch (const ChoiceFileError& e) {
        const std::string text = e.what();
        EXPECT_LT(text.size(), 200u) << text;
        ASSERT_NE(text.find("...\""), std::string::npos) << text;
        // The message is UTF-8, ready to show: the row decoded, no half character at the cut.
        EXPECT_NE(text.find("\xE8\xA1\xA8\xE3\x82\xBD\xE3\x82\xBD"), std::string::npos) << text;
        EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos) << "cut inside a character";
    }
}

TEST(RuleTable, FirstMatchingKeyWinsWithAsciiCaseFolded)
{
    const ChoiceTables t = read("[hit]\r\nBlade,2\r\nblade,5\r\nGrapple,Hold\r\n"
                                "\x83\x5C\x83\x68,4\r\n"); // a two-character Japanese key
    EXPECT_EQ(t.hit.lookup("Blade"), "2");
    EXPECT_EQ(t.hit.lookup("BLADE"), "2");
    EXPECT_EQ(t.hit.lookup("grapple"), "Hold");
    EXPECT_EQ(t.hit.lookup("\x83\x5C\x83\x68"), "4");
    EXPECT_EQ(t.hit.lookup("Blad"), std::nullopt);
    EXPECT_EQ(t.hit.lookup(""), std::nullopt);
    // The second byte of a double-byte character is not a letter to fold.
    EXPECT_EQ(t.hit.lookup("\x83\x5C\x83\x48"), std::nullopt);
}

TEST(ReadChoiceTables, LargeSectionsReadQuickly)
{
    std::string file = "[attack]\r\n";
    for (int i = 0; i < 10000; ++i)
        file += "\"Attack " + std::to_string(i) + "\",Blade,Blade,Blade\r\n";
    file += "[ability]\r\n" + std::string(1 << 20, 'a') + "\r\n";
    file += "[hit]\r\n\"" + std::string(1 << 20, 'k') + "\",7\r\n";

    const auto start = std::chrono::steady_clock::now();
    const ChoiceTables t = read(file);
    const auto elapsed = std::chrono::steady_clock::now() - start;

    ASSERT_EQ(t.attacks.size(), 10000u);
    EXPECT_EQ(t.attacks.back().name, "Attack 9999");
    EXPECT_EQ(t.abilities.at(0).size(), 1u << 20);
    EXPECT_EQ(t.hit.keys.at(0).size(), 1u << 20);
    EXPECT_LT(elapsed, std::chrono::seconds(2));
}

} // namespace
} // namespace grimtally
