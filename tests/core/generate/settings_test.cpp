#include "core/generate/settings.h"

#include <gtest/gtest.h>

namespace grimtally {
namespace {

GenerationSettings loaded(const std::string& section, GenerationSettings current = {})
{
    return readGenerationSettings(IniFile::parse("[Generate]\r\n" + section), current);
}

TEST(CountValue, WholeNumbersAreBroughtIntoRangeAnythingElseIsTheMinimum)
{
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {{"5", 5},
                          {" 2", 2},
                          {"+2", 2},
                          {"-4", 1},
                          {"12", 9},
                          {"", 1},
                          {"3x", 1},
                          {"x", 1},
                          {"1.5", 1},
                          {"  ", 1},
                          {"99999999999999999999", 9}};
    for (const Case& c : cases)
        EXPECT_EQ(countValue(c.text, 1, 9), c.expected) << '"' << c.text << '"';
}

TEST(GenerationSettingsFile, SavingTheDefaultsWritesEveryKeyInOrder)
{
    IniFile file;
    writeGenerationSettings(file, GenerationSettings{});
    EXPECT_EQ(file.serialize(),
              "[Generate]\r\nLevel=1\r\nLevelChk=\r\nCelebrity=1\r\nCelebrityChk1=\r\n"
              "CelebrityChk2=\r\nMove=0\r\nMoveChk=\r\nAttack=0\r\nAttackChk=\r\nMagic=0\r\n"
              "MagicChk=\r\nAbility=0\r\nAbilityChk=\r\nSenseSub=0\r\nSenseSubChk=\r\n"
              "Classify=\r\nCount=\r\nFrequency=\r\nReaction=\r\nIntelligence=\r\nSense=\r\n"
              "Magnify=4\r\n");
}

TEST(GenerationSettingsFile, EverySettingSurvivesSaveAndLoadBesideOtherSections)
{
    GenerationSettings settings;
    settings.level = "35";
    settings.levelRolled = true;
    settings.celebrity = "oops"; // a text the entry has not checked yet goes as it is
    settings.celebrityTextRolled = true;
    settings.movements = "2";
    settings.attacksRolled = true;
    settings.magics = "3";
    settings.abilities = "7";
    settings.subSensesRolled = true;
    settings.countRolled = true;
    settings.intelligenceRolled = true;
    settings.magnifyItem = 4;
    // Saved into a file that holds other sections and an old key in another case.
    IniFile file = IniFile::parse("[Mine]\r\nkeep=me\r\n[generate]\r\nlevel=40\r\n");
    writeGenerationSettings(file, settings);
    EXPECT_EQ(file.value("Mine", "keep"), "me");
    EXPECT_TRUE(file.serialize().starts_with("[Mine]\r\nkeep=me\r\n[generate]\r\nlevel=35\r\n"));
    EXPECT_EQ(readGenerationSettings(file, {}), settings);
}

TEST(GenerationSettingsFile, MagnifyChoosesAnItemOrTheCustomCount)
{
    struct Case {
        const char* line;
        int item;
        const char* customDice;
    };
    const Case cases[] = {
        {"Magnify=2\r\n", 0, "7"},    {"Magnify=6\r\n", 4, "7"},
        {"Magnify=4\r\n", 2, "7"},    {"Magnify= 4x\r\n", 2, "7"},
        {"Magnify=0\r\n", 5, "0"},    {"Magnify=1\r\n", 5, "1"},
        {"Magnify=7\r\n", 5, "7"},    {"Magnify=120\r\n", 5, "120"},
        {"Magnify=-3\r\n", 5, "0"},   {"Magnify=5000\r\n", 5, "999"},
        {"Magnify=many\r\n", 5, "0"}, {"", 5, "0"}, // a missing key reads as 0
    };
    for (const Case& c : cases) {
        const GenerationSettings settings = loaded(c.line);
        EXPECT_EQ(settings.magnifyItem, c.item) << c.line;
        EXPECT_EQ(settings.customDice, c.customDice) << c.line;
    }

    // The custom entry at 4 is saved as 4, which loads as the item of four dice.
    GenerationSettings custom;
    custom.magnifyItem = GenerationSettings::kCustomDiceItem;
    custom.customDice = "4";
    IniFile file;
    writeGenerationSettings(file, custom);
    EXPECT_EQ(file.value("Generate", "Magnify"), "4");
    EXPECT_EQ(readGenerationSettings(file, custom).magnifyItem, 2);
}

TEST(GenerationSettingsFile, FlagsAreCheckedOnlyByTheWordInAnyCase)
{
    for (const char* value : {"Checked", "checked", "CHECKED", "cHeCkEd"})
        EXPECT_TRUE(loaded(std::string("Sense=") + value + "\r\n").senseRolled) << value;

    GenerationSettings allOn;
    allOn.senseRolled = true;
    for (const char* value : {"", "yes", "1", "Checked ", "Check"})
        EXPECT_FALSE(loaded(std::string("Sense=") + value + "\r\n", allOn).senseRolled) << value;
}

TEST(GenerationSettingsFile, MissingKeysKeepCountsUncheckFlagsAndChooseNoDice)
{
    GenerationSettings current;
    current.level = "20";
    current.abilities = "x";
    current.levelRolled = true;
    current.classifyRolled = true;
    for (const char* text : {"", "[Other]\r\nLevel=3\r\n", "\x01\xff[Generate\r\nLevel=3"}) {
        const GenerationSettings settings = readGenerationSettings(IniFile::parse(text), current);
        EXPECT_EQ(settings.level, "20");
        EXPECT_EQ(settings.abilities, "x");
        EXPECT_FALSE(settings.levelRolled);
        EXPECT_FALSE(settings.classifyRolled);
        EXPECT_EQ(settings.magnifyItem, GenerationSettings::kCustomDiceItem);
        EXPECT_EQ(settings.customDice, "0");
    }
    // Keys in any case and order; values keep their blanks.
    const GenerationSettings settings = loaded("sensesub= 2 \r\nLEVEL=5\r\n", current);
    EXPECT_EQ(settings.level, "5");
    EXPECT_EQ(settings.subSenses, "2 ");
}

} // namespace
} // namespace grimtally
