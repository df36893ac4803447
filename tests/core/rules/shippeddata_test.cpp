// The files in data/ are what a new user starts with: they must read cleanly and agree with
// the rules the editor applies to them.
#include "core/records/datafile.h"
#include "core/rules/combat.h"
#include "core/text/commatext.h"
#include "core/text/textfile.h"
#include "core/words/vocabulary.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace grimtally {
namespace {

const std::string kData = GRIMTALLY_SHIPPED_DATA;

struct Language {
    const char* folder; // below data/
};

void PrintTo(const Language& language, std::ostream* out)
{
    *out << "data/" << language.folder;
}

class ShippedData : public testing::TestWithParam<Language> {
protected:
    std::string path(const std::string& name) const
    {
        const std::string folder = GetParam().folder;
        return kData + (folder.empty() ? "" : "/" + folder) + "/" + name;
    }
    ChoiceTables tables() const
    {
        return readChoiceTables(IniFile::parse(readWholeFile(path("Choices.txt"))), "Choices.txt");
    }
};

TEST_P(ShippedData, ChoiceFileFillsEveryList)
{
    const ChoiceTables t = tables();
    for (const auto* list : {&t.classify, &t.celebrity, &t.count, &t.frequency, &t.reaction,
                             &t.sense, &t.subSenses, &t.movement, &t.magic, &t.abilities})
        EXPECT_FALSE(list->empty());
    EXPECT_FALSE(t.intelligence.empty());
    EXPECT_FALSE(t.size.empty());
    EXPECT_FALSE(t.hardness.empty());
    EXPECT_GE(t.attacks.size(), 8u);

    // One sub sense lies inside another's text, which loading a record must cope with.
    bool nested = false;
    for (const std::string& a : t.subSenses)
        for (const std::string& b : t.subSenses)
            nested = nested || (a != b && b.find(a) != std::string::npos);
    EXPECT_TRUE(nested);
}

TEST_P(ShippedData, EveryAttackDerivesAtEveryLevel)
{
    const ChoiceTables t = tables();
    bool wordHit = false, noStrength = false, noDamage = false;
    for (std::size_t row = 0; row < t.attacks.size(); ++row) {
        const AttackRow& a = t.attacks[row];
        ASSERT_TRUE(t.hit.lookup(a.hitKey)) << a.name;
        ASSERT_TRUE(t.damage.lookup(a.damageKey)) << a.name;
        ASSERT_TRUE(t.critical.lookup(a.criticalKey)) << a.name;
        const std::optional<int> critical = readInteger(*t.critical.lookup(a.criticalKey));
        ASSERT_TRUE(critical) << a.name;
        EXPECT_TRUE(*critical >= 6 && *critical <= 12) << a.name;

        wordHit = wordHit || !readInteger(*t.hit.lookup(a.hitKey));
        noStrength = noStrength || readInteger(*t.damage.lookup(a.damageKey)) == -10;
        noDamage = noDamage || !readInteger(*t.damage.lookup(a.damageKey));
        for (int level = 1; level <= 10; ++level) {
            for (int strength : {1, 12, 30}) {
                AttackValues v;
                ASSERT_NO_THROW(v = attackValues(t, static_cast<int>(row), level, strength))
                    << a.name << " at level " << level;
                EXPECT_GT(v.hit, level) << a.name;
            }
        }
    }
    EXPECT_TRUE(wordHit && noStrength && noDamage) << "the designed special attacks";
}

// Every sample enemy uses the choice file's entries and carries the values the editor
// derives from them, so opening and registering a sample changes nothing.
TEST_P(ShippedData, SamplesAgreeWithTheChoiceFile)
{
    const ChoiceTables t = tables();
    const std::string bytes = readWholeFile(path("Sample.txt"));
    const ParsedDataFile file = parseDataFile(bytes);
    EXPECT_EQ(file.refusedLines, 0);
    ASSERT_GE(file.records.size(), 6u);

    // Written exactly as the program writes a data file.
    RecordStore store;
    store.replaceFrom(1, file.records);
    std::ostringstream written;
    writeDataFile(written, store);
    EXPECT_EQ(written.str(), bytes);

    auto contains = [](const std::vector<std::string>& list, std::string_view text) {
        return std::find(list.begin(), list.end(), text) != list.end();
    };
    auto number = [](const std::vector<NumberedEntry>& list, std::string_view text) {
        for (const NumberedEntry& e : list)
            if (e.text == text)
                return std::optional<int>(e.number);
        return std::optional<int>();
    };
    const std::vector<std::string> attackNames = t.attackNames();

    for (std::size_t i = 0; i < file.records.size(); ++i) {
        const RecordBatch::Entry r = file.records[i];
        SCOPED_TRACE(std::string(r.name));
        const FieldsView f = r.fields;
        const int level = spinValue(f[FieldLevel]);
        const int strength = spinValue(f[FieldStrength]);
        EXPECT_TRUE(contains(t.classify, f[FieldClassify]));
        EXPECT_TRUE(f[FieldCelebrityQualifier].empty() ||
                    contains(t.celebrity, f[FieldCelebrityQualifier]));
        EXPECT_TRUE(contains(t.movement, f[FieldMainMovement]));
        EXPECT_EQ(f[FieldSubMovement].empty(), f[FieldSubSpeed].empty());
        EXPECT_TRUE(f[FieldSubMovement].empty() || contains(t.movement, f[FieldSubMovement]));
        EXPECT_TRUE(contains(t.count, f[FieldCountLow]));
        EXPECT_TRUE(contains(t.frequency, f[FieldFrequency]));
        EXPECT_TRUE(contains(t.reaction, f[FieldReaction]));
        EXPECT_TRUE(contains(t.sense, f[FieldSense]));

        for (int row = 0; row < 3; ++row) {
            const std::string_view method = f[FieldAttack1Method + 3 * row];
            if (method.empty() && row > 0) {
                EXPECT_TRUE(f[FieldAttack1Hit + 3 * row].empty());
                continue;
            }
            const auto it = std::find(attackNames.begin(), attackNames.end(), method);
            ASSERT_NE(it, attackNames.end()) << method;
            const AttackValues v =
                attackValues(t, static_cast<int>(it - attackNames.begin()), level, strength);
            EXPECT_EQ(f[FieldAttack1Hit + 3 * row], std::to_string(v.hit)) << method;
            EXPECT_EQ(f[FieldAttack1Damage + 3 * row], v.damage) << method;
        }

        const std::optional<int> sizeTerm = number(t.size, f[FieldSize]);
        const std::optional<int> hardness = number(t.hardness, f[FieldHardness]);
        const std::optional<int> intModifier = number(t.intelligence, f[FieldInt]);
        ASSERT_TRUE(sizeTerm && hardness && intModifier);
        EXPECT_EQ(f[FieldDodge],
                  std::to_string(dodgeValue(level, spinValue(f[FieldDex]), *sizeTerm)));
        EXPECT_EQ(f[FieldPrevent], std::to_string(preventValue(level, *hardness)));
        EXPECT_EQ(f[FieldHPResist], std::to_string(resistValue(f[FieldHP], level)));
        EXPECT_EQ(f[FieldSPResist], std::to_string(resistValue(f[FieldSP], level)));

        for (int row = 0; row < 3; ++row) {
            const std::string_view kind = f[FieldMagic1Kind + 3 * row];
            if (kind.empty())
                continue;
            EXPECT_TRUE(contains(t.magic, kind));
            EXPECT_EQ(
                f[FieldMagic1Power + 3 * row],
                std::to_string(magicPower(spinValue(f[FieldMagic1Level + 3 * row]), *intModifier)));
        }
        for (const std::string& ability : splitCommaText(f[FieldAbility]))
            EXPECT_TRUE(contains(t.abilities, ability)) << ability;

        // Loading ticks every box whose caption occurs in the field; those must be stored.
        const std::vector<std::string> ticked = splitCommaText(f[FieldSubSenses]);
        std::vector<std::string> expected;
        for (const std::string& sense : t.subSenses)
            if (f[FieldSubSenses].find(sense) != std::string_view::npos)
                expected.push_back(sense);
        EXPECT_EQ(ticked, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedData, testing::Values(Language{""}, Language{"ja"}),
                         [](const auto& info) {
                             return std::string(info.param.folder).empty() ? "English" : "Japanese";
                         });

TEST(ShippedLanguage, EnglishFileHoldsTheDefaultsAsTheProgramWritesThem)
{
    // The language comes first, as a user would look for it; the words follow as written.
    IniFile fresh;
    fresh.writeString("program", "language", "en");
    writeVocabulary(fresh, readVocabulary(IniFile()));
    writeEditorWords(fresh, readEditorWords(IniFile()));
    EXPECT_EQ(readWholeFile(kData + "/Language.txt"), fresh.serialize());
}

TEST(ShippedLanguage, JapaneseFileHasEveryKey)
{
    const std::string bytes = readWholeFile(kData + "/ja/Language.txt");
    IniFile ini = IniFile::parse(bytes);
    const Vocabulary words = readVocabulary(ini);
    const std::vector<std::string> editorWords = readEditorWords(ini);
    // Writing the words back adds any key that was missing; nothing may change.
    writeVocabulary(ini, words);
    writeEditorWords(ini, editorWords);
    EXPECT_EQ(ini.serialize(), bytes);
    EXPECT_NE(words[VocName], "Name");
    EXPECT_NE(words.anew, "Anew");
    EXPECT_NE(editorWords.at(EdStr), "Strength");
    EXPECT_EQ(ini.value("program", "language"), "ja");
}

TEST(ShippedChoices, JapaneseAttackNameKeepsItsBackslashSecondByte)
{
    const ChoiceTables t =
        readChoiceTables(IniFile::parse(readWholeFile(kData + "/ja/Choices.txt")), "Choices.txt");
    // The second byte of the fourth character is 0x5C, which a careless reader would mangle.
    EXPECT_EQ(t.attacks.at(0).name, "\x83\x8D\x83\x93\x83\x4F\x83\x5C\x81\x5B\x83\x68");
}

} // namespace
} // namespace grimtally
