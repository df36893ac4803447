#include "core/words/vocabulary.h"

#include <gtest/gtest.h>

namespace grimtally {
namespace {

const std::vector<std::string> kDefaultCaptions{
    "Name",         "Classify",     "Monster Level", "Celebrity",     "Dexterity",
    "Speed",        "Count",        "Frequency",     "Intelligence",  "Reaction",
    "Hit/Damage 1", "Hit/Damage 2", "Hit/Damage 3",  "Dodge/Prevent", "HP/Resist",
    "SP/Resist",    "Ability",      "Habitat",       "Language",      "Sense",
};

// The key lines of one section, in file order.
std::vector<std::string> keysOf(const IniFile& ini, const std::string& section)
{
    std::vector<std::string> keys;
    for (const std::string& row : ini.sectionRows(section))
        keys.push_back(row.substr(0, row.find('=')));
    return keys;
}

TEST(Vocabulary, MissingFileGivesTheDefaults)
{
    const Vocabulary vocabulary = readVocabulary(IniFile());
    ASSERT_EQ(vocabulary.words.size(), static_cast<std::size_t>(VocabularySize));
    EXPECT_EQ(vocabulary[VocSlash], "/");
    EXPECT_EQ(vocabulary[VocHyphen], "-");
    EXPECT_EQ(vocabulary[VocLevel], "Monster Level");
    EXPECT_EQ(vocabulary[VocSense], "Sense");
    EXPECT_EQ(vocabulary.anew, "Anew");
    EXPECT_EQ(listColumnCaptions(vocabulary), kDefaultCaptions);

    const CellWords words = vocabulary.cellWords();
    EXPECT_EQ(words.slash, "/");
    EXPECT_EQ(words.hyphen, "-");
}

TEST(Vocabulary, PresentKeysWinAlsoWhenEmpty)
{
    const IniFile ini = IniFile::parse("[Common]\r\n"
                                       "slash=\r\n"
                                       "hit=Strike\r\n"
                                       "resist=Save\r\n"
                                       "[list]\r\n"
                                       "anew=\x90\x56\x8B\x4B\r\n"
                                       "[other]\r\n"
                                       "hyphen=~\r\n");
    const Vocabulary vocabulary = readVocabulary(ini);
    EXPECT_EQ(vocabulary[VocSlash], "");
    EXPECT_EQ(vocabulary[VocHyphen], "-");
    EXPECT_EQ(vocabulary[VocHit], "Strike");
    EXPECT_EQ(vocabulary.anew, "\x90\x56\x8B\x4B");

    const std::vector<std::string> captions = listColumnCaptions(vocabulary);
    EXPECT_EQ(captions[10], "StrikeDamage 1");
    EXPECT_EQ(captions[11], "StrikeDamage 2");
    EXPECT_EQ(captions[12], "StrikeDamage 3");
    EXPECT_EQ(captions[13], "DodgePrevent");
    EXPECT_EQ(captions[14], "HPSave");
    EXPECT_EQ(captions[15], "SPSave");
    EXPECT_EQ(captions[2], "Monster Level");
}

TEST(Vocabulary, WriteBackKeepsOtherKeysAndAppendsMissingOnes)
{
    IniFile ini = IniFile::parse("[common]\r\n"
                                 "level=Lvl\r\n"
                                 "slash=\r\n"
                                 "\r\n"
                                 "[mine]\r\n"
                                 "colour=blue\r\n");
    writeVocabulary(ini, readVocabulary(ini));
    const IniFile reread = IniFile::parse(ini.serialize());

    EXPECT_EQ(reread.value("mine", "colour"), "blue");
    EXPECT_EQ(reread.value("common", "slash"), "");
    EXPECT_EQ(reread.value("common", "level"), "Lvl");
    EXPECT_EQ(reread.value("list", "anew"), "Anew");

    std::vector<std::string> expected{"level", "slash", "hyphen", "name", "classify"};
    for (const char* key :
         {"celebrity", "dex", "speed", "count", "frequency", "int", "reaction", "hit", "damage",
          "dodge", "prevent", "hp", "sp", "resist", "ability", "habitat", "language", "sense"})
        expected.push_back(key);
    EXPECT_EQ(keysOf(reread, "common"), expected);
    EXPECT_EQ(keysOf(reread, "list"), std::vector<std::string>{"anew"});

    // Read again, the file gives back exactly what was written.
    const Vocabulary again = readVocabulary(reread);
    EXPECT_EQ(again.words, readVocabulary(ini).words);
}

TEST(Vocabulary, AHugeWordIsCutForShowingAndKeptWholeInTheFile)
{
    // 1023 bytes of 'x', then a double-byte character that the cut must not split.
    const std::string huge = std::string(1023, 'x') + "\x83\x5D" + std::string(10'000'000, 'y');
    IniFile ini = IniFile::parse("[common]\r\nname=" + huge +
                                 "\r\n[editor]\r\nnone=" + std::string(1024, 'z') + "\r\n");
    const Vocabulary vocabulary = readVocabulary(ini);
    EXPECT_EQ(vocabulary[VocName], std::string(1023, 'x'));
    EXPECT_EQ(readEditorWords(ini)[EdNone], std::string(1024, 'z'));

    EXPECT_TRUE(writeVocabulary(ini, vocabulary)); // the other words were missing
    EXPECT_EQ(IniFile::parse(ini.serialize()).value("common", "name"), huge);
    EXPECT_FALSE(writeVocabulary(ini, vocabulary)) << "nothing is missing any more";
}

TEST(Vocabulary, WrongNumberOfWordsIsRefused)
{
    IniFile ini;
    Vocabulary shortVocabulary;
    shortVocabulary.words = {"/", "-"};
    EXPECT_THROW(writeVocabulary(ini, shortVocabulary), std::invalid_argument);
    EXPECT_THROW(listColumnCaptions(shortVocabulary), std::out_of_range);
    EXPECT_THROW(writeEditorWords(ini, {"----"}), std::invalid_argument);
    EXPECT_FALSE(ini.hasSection("common"));
}

TEST(EditorWords, DefaultsAndPresentKeys)
{
    const std::vector<std::string> defaults = readEditorWords(IniFile());
    ASSERT_EQ(defaults.size(), static_cast<std::size_t>(EditorWordCount));
    EXPECT_EQ(defaults[EdNone], "----");
    EXPECT_EQ(defaults[EdCelebrity2], "know without fail");
    EXPECT_EQ(defaults[EdRandom], "Random ");
    EXPECT_EQ(defaults[EdCelebrity3], "somebody ");
    EXPECT_EQ(defaults[EdSubSense], "Sub sense");
    EXPECT_EQ(defaults[EdPawn], "Pawn");

    const IniFile ini = IniFile::parse("[editor]\r\nnone=\r\nsub-sense=Extra\r\n");
    const std::vector<std::string> words = readEditorWords(ini);
    EXPECT_EQ(words[EdNone], "");
    EXPECT_EQ(words[EdSubSense], "Extra");
    EXPECT_EQ(words[EdMagic], "Magic");
}

TEST(EditorWords, NewFileListsEveryKeyWithItsDefault)
{
    IniFile ini;
    writeVocabulary(ini, readVocabulary(ini));
    writeEditorWords(ini, readEditorWords(ini));
    const std::string text = ini.serialize();

    EXPECT_NE(text.find("[common]\r\nslash=/\r\nhyphen=-\r\nname=Name\r\n"), std::string::npos);
    EXPECT_NE(text.find("[list]\r\nanew=Anew\r\n"), std::string::npos);
    EXPECT_NE(text.find("[editor]\r\nnone=----\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nrandom=Random \r\ncelebrity3=somebody \r\n"), std::string::npos);
    EXPECT_EQ(keysOf(IniFile::parse(text), "editor").size(),
              static_cast<std::size_t>(EditorWordCount));
    EXPECT_FALSE(writeEditorWords(ini, readEditorWords(ini))) << "a complete file stays";

    // The next start reads the same words, trailing blanks included.
    EXPECT_EQ(readEditorWords(IniFile::parse(text)), readEditorWords(IniFile()));
    EXPECT_EQ(readVocabulary(IniFile::parse(text)).words, readVocabulary(IniFile()).words);
}

} // namespace
} // namespace grimtally
