// The enemy form's rules: the worked examples of the derived values, what each change and
// each leaving re-derives, the optional rows, the ordering rules of loading, the record that
// registering stores, and the choice file's flaws as values.
#include "core/editor/enemyform.h"
#include "core/text/inifile.h"

#include <gtest/gtest.h>
#include <map>

namespace grimtally {
namespace {

using Fields = std::vector<std::string>;

ChoiceTables testTables()
{
    // Small numbers, so that every expected value can be worked out by hand.
    return readChoiceTables(IniFile::load(GRIMTALLY_TEST_DATA "/editor/Choices.txt"),
                            "Choices.txt");
}

// Every text the editor shows: the inputs, then the dice bases.
std::map<std::string, std::string> shown(const EnemyForm& form)
{
    std::map<std::string, std::string> texts;
    for (const FieldInfo& info : kFieldTable) {
        if (info.kind == FieldKind::List)
            continue;
        texts[std::string(info.key)] = form.text(info.field);
        if (hasDiceBase(info.field))
            texts[std::string(info.key) + " base"] = form.diceBaseOf(info.field);
    }
    return texts;
}

std::vector<std::string> differences(const std::map<std::string, std::string>& before,
                                     const std::map<std::string, std::string>& after)
{
    std::vector<std::string> changed;
    for (const auto& [name, text] : before) {
        if (after.at(name) != text)
            changed.push_back(name);
    }
    return changed;
}

class EnemyFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.setChoices(testTables());
        form.putNoneWords();
        form.newRecord();
    }

    // The user types a text into a number or text field.
    FormChanges put(int field, std::string_view text) { return form.put(field, text); }
    // The user picks the entry that shows `text`, or types it when none does.
    FormChanges choose(int field, std::string_view text)
    {
        const std::vector<std::string>& entries = form.entries(field);
        const auto found = std::ranges::find(entries, text);
        return form.choose(field, text,
                           found == entries.end() ? -1 : static_cast<int>(found - entries.begin()));
    }
    const std::string& text(int field) const { return form.text(field); }
    const std::string& base(int field) const { return form.diceBaseOf(field); }

    EnemyForm form;
};

TEST_F(EnemyFormTest, NewRecordIsWhatRegisteringTheNewEntryRowStores)
{
    Fields expected(kFieldCount);
    expected[FieldClassify] = "Beast";
    expected[FieldLevel] = expected[FieldCelebrity] = expected[FieldDex] = "1";
    expected[FieldMainSpeed] = expected[FieldHP] = expected[FieldSP] = "1";
    expected[FieldStrength] = "1";
    expected[FieldMainMovement] = "Walk";
    expected[FieldCountLow] = "1";
    expected[FieldFrequency] = "Common";
    expected[FieldInt] = "Dim";
    expected[FieldReaction] = "Friendly";
    expected[FieldAttack1Method] = "Sword";
    expected[FieldAttack1Hit] = "10";
    expected[FieldAttack1Damage] = "2";
    expected[FieldDodge] = "7";
    expected[FieldPrevent] = "3";
    expected[FieldHPResist] = expected[FieldSPResist] = "7";
    expected[FieldSense] = "Normal";
    expected[FieldSize] = "Medium";
    expected[FieldHardness] = "Soft";
    const EnemyRecord record = form.record();
    EXPECT_EQ(record.name, "");
    EXPECT_EQ(record.fields.toStrings(), expected);

    // The optional rows are off: empty and disabled.
    EXPECT_EQ(text(FieldCountHigh), "----");
    for (int field : {FieldSubSpeed, FieldAttack2Hit, FieldAttack2Damage, FieldAttack3Hit,
                      FieldMagic1Level, FieldMagic1Power, FieldMagic3Power}) {
        EXPECT_EQ(text(field), "") << fieldKey(field);
        EXPECT_FALSE(form.enabled(field)) << fieldKey(field);
    }
}

// Attack rows 1 and 2 (whose list starts with the none word) derive the same numbers.
TEST_F(EnemyFormTest, AttackWorkedExamples)
{
    struct Case {
        const char* method;
        const char* level;
        const char* strength;
        const char* hit;
        const char* base;
        const char* damage;
    };
    const Case cases[] = {
        {"Sword", "3", "12", "12", "5", "8"},  // x = 132/26 + 3 + 2 - 2, about 8.08
        {"Bite", "3", "12", "12", "5", "5"},   // modifier -10: x = 60/26 + 3, about 5.3
        {"Maul", "4", "17", "13", "6", "10"},  // x = 126/27 + 4 + 17/6 - 2 is exactly 9.5
        {"Hug", "3", "12", "12", "5", "Grab"}, // a word as hit: by strength, the key as damage
        {"Poke", "3", "12", "12", "5", ""},    // a damage that is no number
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method);
        form.newRecord();
        put(FieldLevel, c.level);
        put(FieldStrength, c.strength);
        for (int method : {FieldAttack1Method, FieldAttack2Method}) {
            choose(method, c.method);
            EXPECT_EQ(text(method + 1), c.hit);
            EXPECT_EQ(base(method + 1), c.base);
            EXPECT_EQ(text(method + 2), c.damage);
        }
    }
}

TEST_F(EnemyFormTest, DodgeAndPrevent)
{
    put(FieldLevel, "3");
    put(FieldDex, "14");
    EXPECT_EQ(text(FieldDodge), "11"); // 3 + 14 div 6 + (0 + 6)
    EXPECT_EQ(base(FieldDodge), "4");
    choose(FieldSize, "Large");
    EXPECT_EQ(text(FieldDodge), "10");
    choose(FieldSize, "Gigantic"); // no entry: the size-neutral term 6
    EXPECT_EQ(text(FieldDodge), "11");

    EXPECT_EQ(text(FieldPrevent), "5"); // Soft: 3 + 0 + 2
    choose(FieldHardness, "Tough");
    EXPECT_EQ(text(FieldPrevent), "6");
    choose(FieldHardness, "Glass"); // no entry: no hardness term
    EXPECT_EQ(text(FieldPrevent), "5");

    // An emptied dexterity leaves the dodge as it was.
    put(FieldDex, "");
    EXPECT_EQ(text(FieldDodge), "11");
}

TEST_F(EnemyFormTest, ResistsFollowPointsAndLevel)
{
    put(FieldLevel, "3");
    const std::pair<const char*, const char*> cases[] = {
        {"20", "12"}, {"5", "9"}, {"0", "11"}, {"many", "9"}};
    for (const auto& [points, resist] : cases) {
        put(FieldHP, points);
        put(FieldSP, points);
        EXPECT_EQ(text(FieldHPResist), resist) << points;
        EXPECT_EQ(text(FieldSPResist), resist) << points;
    }
}

TEST_F(EnemyFormTest, MagicRowSwitchesAndDerives)
{
    choose(FieldInt, "Clever");
    choose(FieldMagic2Kind, "Fire");
    EXPECT_EQ(text(FieldMagic2Level), "1"); // switched on with level 1 at once
    EXPECT_EQ(text(FieldMagic2Power), "9");
    put(FieldMagic2Level, "2");
    EXPECT_EQ(text(FieldMagic2Power), "10"); // 2 + 1 + 7
    EXPECT_EQ(base(FieldMagic2Power), "3");

    choose(FieldMagic2Kind, "----");
    for (int field : {FieldMagic2Level, FieldMagic2Power}) {
        EXPECT_EQ(text(field), "");
        EXPECT_FALSE(form.enabled(field));
    }
    EXPECT_EQ(base(FieldMagic2Power), "");
    choose(FieldMagic2Kind, "Ice");
    EXPECT_EQ(text(FieldMagic2Level), "1");
    EXPECT_EQ(text(FieldMagic2Power), "9");
    EXPECT_TRUE(form.enabled(FieldMagic2Power));

    // A typed magic that is no entry derives the power again in row 1 only.
    for (int kind : {FieldMagic1Kind, FieldMagic2Kind}) {
        choose(kind, "Fire");
        put(kind + 1, "2");
        put(kind + 2, "30");
        choose(kind, "Thunder");
        EXPECT_EQ(text(kind + 2), kind == FieldMagic1Kind ? "10" : "30");
    }

    // A magic level that is no number empties itself and the power.
    put(FieldMagic2Level, "x");
    EXPECT_EQ(text(FieldMagic2Level), "");
    EXPECT_EQ(text(FieldMagic2Power), "");
}

TEST_F(EnemyFormTest, UserHitStaysUntilAnInputChanges)
{
    put(FieldAttack1Hit, "20");
    form.leave(FieldAttack1Hit);
    EXPECT_EQ(text(FieldAttack1Hit), "20");
    EXPECT_EQ(base(FieldAttack1Hit), "13");
    put(FieldDex, "30"); // the hit does not depend on these
    put(FieldHP, "30");
    EXPECT_EQ(text(FieldAttack1Hit), "20");
    put(FieldStrength, "2");
    EXPECT_EQ(text(FieldAttack1Hit), "10");
    EXPECT_EQ(base(FieldAttack1Hit), "3");
}

// What each input's change re-derives, and what a change report names.
TEST_F(EnemyFormTest, AChangeReportsWhatItDerived)
{
    put(FieldLevel, "3");
    const FormChanges hit = put(FieldAttack1Hit, "20");
    EXPECT_TRUE(hit.text(FieldAttack1Hit));
    EXPECT_TRUE(hit.diceBases[FieldAttack1Hit]);
    EXPECT_EQ(hit.texts.count(), 1u);

    const FormChanges level = put(FieldLevel, "4");
    for (int field :
         {FieldLevel, FieldAttack1Hit, FieldDodge, FieldPrevent, FieldHPResist, FieldSPResist})
        EXPECT_TRUE(level.text(field)) << fieldKey(field);
    EXPECT_FALSE(level.text(FieldAttack2Hit)); // a row at the none word ignores the level
    EXPECT_FALSE(level.text(FieldStrength));
    EXPECT_TRUE(level.enabling.none());

    const FormChanges row = choose(FieldAttack2Method, "Bite");
    EXPECT_TRUE(row.enabling[FieldAttack2Hit]);
    EXPECT_TRUE(row.enabling[FieldAttack2Damage]);
    EXPECT_TRUE(row.diceBases[FieldAttack2Hit]);
}

TEST_F(EnemyFormTest, LeavingEmptiedDerivedValues)
{
    // A hit with a method is derived again; with a typed method that is no entry it is 7.
    put(FieldLevel, "3");
    put(FieldAttack1Hit, "");
    EXPECT_EQ(base(FieldAttack1Hit), "");
    form.leave(FieldAttack1Hit);
    EXPECT_EQ(text(FieldAttack1Hit), "12");
    EXPECT_EQ(base(FieldAttack1Hit), "5");
    choose(FieldAttack1Method, "Kick");
    put(FieldAttack1Hit, "");
    form.leave(FieldAttack1Hit);
    EXPECT_EQ(text(FieldAttack1Hit), "7");
    EXPECT_EQ(base(FieldAttack1Hit), "0");

    put(FieldHPResist, "40");
    put(FieldHPResist, "");
    form.leave(FieldHPResist);
    EXPECT_EQ(text(FieldHPResist), "9"); // 3 + 1 div 6 + 6

    choose(FieldInt, "Clever");
    choose(FieldMagic1Kind, "Fire");
    EXPECT_EQ(text(FieldMagic1Power), "9");
    put(FieldMagic1Power, "");
    EXPECT_EQ(base(FieldMagic1Power), "");
    form.leave(FieldMagic1Power);
    EXPECT_EQ(text(FieldMagic1Power), "7");
    EXPECT_EQ(base(FieldMagic1Power), "0");

    // An input of a row that is off is left empty: no user left it.
    form.leave(FieldAttack2Hit);
    form.leave(FieldMagic2Power);
    EXPECT_EQ(text(FieldAttack2Hit), "");
    EXPECT_EQ(text(FieldMagic2Power), "");
}

// Leaving an emptied choice puts entry 0 back and runs exactly the rule that depends on it.
TEST_F(EnemyFormTest, EmptiedChoiceGetsEntryZeroBack)
{
    struct Case {
        int field;
        const char* before;
        const char* after;
        std::vector<std::string> alsoChanged;
    };
    const std::vector<Case> cases = {
        {FieldClassify, "Undead", "Beast", {}},
        {FieldCelebrityQualifier, "Sages", "----", {}},
        {FieldCountLow, "2", "1", {}},
        {FieldCountHigh, "2", "----", {}},
        {FieldFrequency, "Rare", "Common", {}},
        {FieldReaction, "Hostile", "Friendly", {}},
        {FieldReaction2, "Hostile", "----", {}},
        {FieldSense, "Darkvision", "Normal", {}},
        {FieldMainMovement, "Fly", "Walk", {}},
        {FieldInt, "Clever", "Dim", {"magic1Power", "magic1Power base"}},
        {FieldSubMovement, "Fly", "----", {"subSpeed"}},
        {FieldSize, "Large", "Medium", {"dodge", "dodge base"}},
        {FieldHardness, "Tough", "Soft", {"prevent"}},
        {FieldAttack1Method, "Bite", "Sword", {"attack1Damage"}},
        {FieldAttack2Method, "Bite", "----", {"attack2Damage", "attack2Hit", "attack2Hit base"}},
        {FieldAttack3Method, "Sword", "----", {"attack3Damage", "attack3Hit", "attack3Hit base"}},
        {FieldMagic1Kind, "Fire", "----", {"magic1Level", "magic1Power", "magic1Power base"}},
        {FieldMagic2Kind, "Ice", "----", {"magic2Level", "magic2Power", "magic2Power base"}},
        {FieldMagic3Kind, "Ice", "----", {"magic3Level", "magic3Power", "magic3Power base"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(fieldKey(c.field));
        form.newRecord();
        put(FieldLevel, "3");
        put(FieldDex, "14");
        choose(FieldInt, "Clever");
        choose(FieldSubMovement, "Fly");
        choose(FieldAttack2Method, "Bite");
        choose(FieldMagic1Kind, "Fire");
        choose(c.field, c.before);
        const auto before = shown(form);
        choose(c.field, "");
        form.leave(c.field);
        EXPECT_EQ(text(c.field), c.after);
        auto changed = differences(before, shown(form));
        std::erase(changed, std::string(fieldKey(c.field)));
        EXPECT_EQ(changed, c.alsoChanged);
        // A typed text that is no entry stays.
        choose(c.field, "Ogre");
        form.leave(c.field);
        EXPECT_EQ(text(c.field), "Ogre");
    }
}

TEST_F(EnemyFormTest, EmptiedNumberGetsOneAndWhatDependsOnItFollows)
{
    put(FieldLevel, "3");
    struct Case {
        int field;
        int dependant; // or kNameField for none
        const char* dependantAfter;
    };
    const Case cases[] = {
        {FieldCelebrity, kNameField, ""},
        {FieldDex, FieldDodge, "9"}, // 3 + 1 div 6 + 6
        {FieldMainSpeed, kNameField, ""},
        {FieldStrength, FieldAttack1Damage, "4"}, // 66/26 + 3 + 1/6 - 2, about 3.7
        {FieldDodge, kNameField, ""},
        {FieldHP, FieldHPResist, "9"},
        {FieldSP, FieldSPResist, "9"},
        {FieldLevel, FieldAttack1Hit, "10"}, // 1 + 2 + 7
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(fieldKey(c.field));
        put(c.field, "7");
        put(c.field, "");
        form.leave(c.field);
        EXPECT_EQ(text(c.field), "1");
        if (c.dependant != kNameField) {
            EXPECT_EQ(text(c.dependant), c.dependantAfter);
        }
        if (c.field == FieldDodge) {
            EXPECT_EQ(base(FieldDodge), "-6");
        }
    }
}

TEST_F(EnemyFormTest, RowAtNoneIgnoresLevel)
{
    put(FieldLevel, "9");
    for (int field : {FieldAttack2Hit, FieldAttack2Damage}) {
        EXPECT_EQ(text(field), "");
        EXPECT_FALSE(form.enabled(field));
    }
    EXPECT_EQ(base(FieldAttack2Hit), "");
}

// A flaw of the choice file comes back as a value, once per command that met it; hit and
// damage stay as they were.
TEST_F(EnemyFormTest, RuleErrorsAreReportedAndKeepHitAndDamage)
{
    const std::pair<const char*, RuleError::Kind> cases[] = {
        {"Broken", RuleError::Kind::CriticalNotWhole},
        {"Divide", RuleError::Kind::CriticalIs36},
        {"Missing", RuleError::Kind::NoTableRow},
    };
    for (const auto& [method, kind] : cases) {
        SCOPED_TRACE(method);
        form.newRecord();
        put(FieldLevel, "3");
        put(FieldStrength, "12");
        const FormChanges chosen = choose(FieldAttack1Method, method);
        ASSERT_EQ(chosen.errors.size(), 1u);
        EXPECT_EQ(chosen.errors.front().kind(), kind);
        EXPECT_NE(std::string(chosen.errors.front().what()).find(method), std::string::npos);
        EXPECT_EQ(text(FieldAttack1Hit), "12");
        EXPECT_EQ(text(FieldAttack1Damage), "8");
        // Row 1 is derived by each change of the level or strength.
        EXPECT_EQ(put(FieldLevel, "4").errors.size(), 1u);
    }

    // A plan sets the strength, the level and the attack, each deriving row 1 again: the flaw
    // is told once.
    EnemyPlan plan;
    plan.level = 5;
    plan.strength = 14;
    plan.attacks = {7, 0, 0}; // Missing
    const FormChanges rolled = form.applyPlan(plan);
    ASSERT_EQ(rolled.errors.size(), 1u);
    EXPECT_EQ(rolled.errors.front().kind(), RuleError::Kind::NoTableRow);
}

TEST(EnemyForm, WithoutChoicesTheListsStayEmptyAndNothingIsDerived)
{
    EnemyForm form;
    form.putNoneWords();
    EXPECT_EQ(form.entries(FieldMagic2Kind), std::vector<std::string>{"----"});
    const FormChanges changes = form.newRecord();
    EXPECT_TRUE(changes.errors.empty());
    EXPECT_EQ(form.text(FieldClassify), "");
    EXPECT_EQ(form.selected(FieldClassify), -1);
    EXPECT_EQ(form.text(FieldCelebrityQualifier), "----");

    form.choose(FieldClassify, "Ogre", -1);
    form.choose(FieldClassify, "", -1);
    form.leave(FieldClassify);
    EXPECT_EQ(form.text(FieldClassify), "");
    form.choose(FieldCelebrityQualifier, "", -1);
    form.leave(FieldCelebrityQualifier);
    EXPECT_EQ(form.text(FieldCelebrityQualifier), "----");
}

TEST(EnemyForm, NoneWordsGoFirstOncePerListAndARowThatIsTheNoneWordServes)
{
    ChoiceTables tables = testTables();
    tables.movement.insert(tables.movement.begin(), "----");
    EnemyForm form;
    form.setChoices(tables);
    form.putNoneWords();
    form.putNoneWords(); // a second time adds nothing
    EXPECT_EQ(form.entries(FieldCountHigh), (std::vector<std::string>{"----", "1", "2"}));
    EXPECT_EQ(form.entries(FieldCountLow), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(form.entries(FieldSubMovement), (std::vector<std::string>{"----", "Walk", "Fly"}));
    EXPECT_EQ(form.entries(FieldMainMovement), form.entries(FieldSubMovement));
    EXPECT_EQ(form.entries(FieldAttack3Method), form.entries(FieldAttack2Method));
    EXPECT_EQ(form.entries(FieldMagic1Kind), (std::vector<std::string>{"----", "Fire", "Ice"}));
    EXPECT_EQ(form.entryNumber(FieldSize, 1), 5); // the file's -1, plus 6

    const ListSizes lists = form.listSizes();
    EXPECT_EQ(lists.attacks, (std::array<int, 3>{8, 9, 9}));
    EXPECT_EQ(lists.abilities, 2);
    EXPECT_EQ(lists.subSenses, 4);
}

// Loading sets every stored value after the inputs it would be derived from, so what the
// record holds is what stands, also where it is not what the rules would give.
TEST_F(EnemyFormTest, LoadingKeepsTheStoredValuesOverTheDerivedOnes)
{
    put(FieldLevel, "4");
    put(FieldStrength, "17");
    choose(FieldCelebrityQualifier, "Sages");
    choose(FieldSubMovement, "Fly");
    put(FieldSubSpeed, "6");
    choose(FieldAttack2Method, "Bite");
    put(FieldAttack1Hit, "30");
    choose(FieldInt, "Clever");
    choose(FieldMagic3Kind, "Ice");
    choose(FieldClassify, "Ogre");
    put(FieldAttack1Damage, "9");
    put(FieldAttack2Damage, "x");
    put(FieldDodge, "20");
    put(FieldPrevent, "15");
    put(FieldHPResist, "21");
    put(FieldSPResist, "22");
    put(FieldMagic3Power, "25");
    form.tickSubSense(1, true);
    form.tickSubSense(2, true);
    form.putAbilities({"Regenerate", "Fear, at night"});
    put(kNameField, "Cave troll");
    const EnemyRecord made = form.record();
    EXPECT_EQ(made.fields[FieldSubSenses], "Scent,B");
    EXPECT_EQ(made.fields[FieldAbility], "Regenerate,\"Fear, at night\"");

    EnemyForm other = form;
    other.newRecord();
    other.load(made.name, made.fields);
    const EnemyRecord again = other.record();
    EXPECT_EQ(again.name, "Cave troll");
    EXPECT_EQ(again.fields.toStrings(), made.fields.toStrings());
    EXPECT_EQ(other.diceBaseOf(FieldMagic3Power), "18");
    EXPECT_EQ(other.selected(FieldClassify), -1);
}

TEST_F(EnemyFormTest, LoadingEmptiesWhatAnOptionalRowAtNoneHolds)
{
    Fields fields = form.record().fields.toStrings();
    fields[FieldSubSpeed] = "5"; // the sub movement is empty
    fields[FieldAttack3Hit] = "12";
    fields[FieldClassify] = "undead"; // an entry in other letter case: the entry
    fields[FieldInt] = "";            // the first entry
    form.load("Walker", FieldList(std::span<const std::string>(fields)));
    EXPECT_EQ(text(FieldSubMovement), "----");
    EXPECT_EQ(text(FieldSubSpeed), "");
    EXPECT_FALSE(form.enabled(FieldSubSpeed));
    EXPECT_EQ(text(FieldAttack3Hit), "");
    EXPECT_EQ(text(FieldClassify), "Undead");
    EXPECT_EQ(text(FieldInt), "Dim");
    const Fields stored = form.record().fields.toStrings();
    EXPECT_EQ(stored[FieldSubSpeed], "");
    EXPECT_EQ(stored[FieldAttack3Hit], "");

    // A record that lost fields loads the missing ones as empty.
    const std::vector<std::string> shortList{"Beast", "5"};
    form.load("Short", FieldList(std::span<const std::string>(shortList)));
    EXPECT_EQ(text(FieldLevel), "5");
    EXPECT_EQ(text(FieldMainMovement), "Walk");
    EXPECT_EQ(form.record().fields.size(), kFieldCount);
}

// An optional row at its none word is stored as empty fields, all of them.
TEST_F(EnemyFormTest, TheNoneWordStoresEmptyFields)
{
    std::vector<int> optional;
    for (const FieldInfo& info : kFieldTable) {
        if (info.optional)
            optional.push_back(info.field);
    }
    ASSERT_EQ(optional.size(), 9u);
    for (int field : optional) {
        const auto& entries = form.entries(field);
        choose(field, entries.at(1));
    }
    choose(FieldInt, "Clever");
    put(FieldSubSpeed, "6");
    const Fields full = form.record().fields.toStrings();
    for (int field : optional)
        choose(field, "----");
    const Fields stored = form.record().fields.toStrings();
    for (int field = 0; field < kFieldCount; ++field) {
        const int row = fieldInfo(field).row;
        EXPECT_FALSE(row != kNoRow && full[field].empty()) << fieldKey(field);
        EXPECT_EQ(stored[field], row == kNoRow ? full[field] : "") << fieldKey(field);
    }
}

// A caption that is part of another one is ticked by it too; a caption met only inside a
// double-byte character is not there.
TEST_F(EnemyFormTest, SubSensesAreFoundInTheStoredText)
{
    struct Case {
        std::string stored;
        std::vector<bool> ticked;
        std::string registered;
    };
    const Case cases[] = {
        {"\"Keen Scent\"", {true, true, false, false}, "\"Keen Scent\",Scent"},
        {"B", {false, false, true, false}, "B"},
        {"\x83\x42", {false, false, false, false}, ""},
        {"\"Third \"\"Eye\"\"\"", {false, false, false, true}, "\"Third \"\"Eye\"\"\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        Fields fields = form.record().fields.toStrings();
        fields[FieldSubSenses] = c.stored;
        form.load("Senses", FieldList(std::span<const std::string>(fields)));
        for (std::size_t i = 0; i < c.ticked.size(); ++i)
            EXPECT_EQ(form.subSenseTicked(i), c.ticked[i]) << i;
        EXPECT_EQ(form.record().fields[FieldSubSenses], c.registered);
    }
}

// Two codes of one character show alike: putting in the other code is no change of the
// input's meaning, so nothing is derived again, but the bytes are kept.
TEST_F(EnemyFormTest, TheOtherCodeOfAShownTextKeepsItsBytesAndDerivesNothing)
{
    const std::string nec = "\x87\x90";
    const std::string jis = "\x81\xE0";
    put(FieldLevel, nec);
    put(FieldAttack1Hit, "20");
    const FormChanges changes = put(FieldLevel, jis);
    EXPECT_EQ(text(FieldLevel), jis);
    EXPECT_EQ(text(FieldAttack1Hit), "20");
    EXPECT_EQ(changes.texts.count(), 1u);
}

TEST_F(EnemyFormTest, APlanIsAppliedAsTheDialogSetsTheInputs)
{
    EnemyPlan plan;
    plan.dexterity = 14;
    plan.strength = 1200; // brought into range
    plan.hp = 20;
    plan.sp = 0;
    plan.mainSpeed = 12;
    plan.size = 1;
    plan.hardness = 1;
    plan.level = 3;
    plan.celebrity = 2;
    plan.intelligence = 1;
    plan.movement1 = 1;
    plan.movement2 = 1;
    plan.subSpeed = 8;
    plan.attacks = {2, 1, 0};
    plan.magics = {2, 0, 0};
    plan.magicLevels = {4, std::nullopt, std::nullopt};
    plan.abilities = {1};
    plan.subSenses = {0, 3};
    put(kNameField, "Kept");
    form.applyPlan(plan);

    EXPECT_EQ(text(kNameField), "Kept");
    EXPECT_EQ(text(FieldStrength), "999");
    EXPECT_EQ(text(FieldDodge), "10"); // 3 + 14 div 6 + 5
    EXPECT_EQ(text(FieldPrevent), "6");
    EXPECT_EQ(text(FieldHPResist), "12");
    EXPECT_EQ(text(FieldSPResist), "11");
    EXPECT_EQ(text(FieldSubMovement), "Walk");
    EXPECT_EQ(text(FieldSubSpeed), "8");
    EXPECT_EQ(text(FieldAttack1Method), "Maul");
    EXPECT_EQ(text(FieldAttack2Method), "Sword");
    EXPECT_FALSE(form.enabled(FieldAttack3Hit));
    EXPECT_EQ(text(FieldMagic1Kind), "Ice");
    EXPECT_EQ(text(FieldMagic1Power), "12"); // 4 + 1 + 7
    EXPECT_EQ(form.abilities(), std::vector<std::string>{"Fly by night"});
    EXPECT_EQ(form.record().fields[FieldSubSenses], "\"Keen Scent\",\"Third \"\"Eye\"\"\"");
}

// Generation sets inputs and runs the rules that follow them: deriving everything again
// from what was rolled changes nothing.
TEST(EnemyForm, APlanLeavesEveryDerivedValueAsTheRulesGiveIt)
{
    EnemyForm form;
    form.setChoices(
        readChoiceTables(IniFile::load(GRIMTALLY_SHIPPED_DATA "/Choices.txt"), "Choices.txt"));
    form.putNoneWords();
    form.newRecord();
    GenerationSettings settings;
    settings.checkAll();
    settings.level = "30";
    settings.movements = "2";
    settings.attacks = "3";
    settings.magics = "3";
    RandomSource random(11);
    for (int run = 0; run < 25; ++run) {
        EXPECT_TRUE(form.applyPlan(planEnemy(settings, form.listSizes(), random)).errors.empty());
        const auto rolled = shown(form);
        const std::string level = form.text(FieldLevel);
        form.put(FieldLevel, "");
        form.put(FieldLevel, level);
        for (int field : {FieldInt, FieldSubMovement})
            form.choose(field, form.text(field), form.selected(field));
        EXPECT_EQ(shown(form), rolled) << run;
    }
}

} // namespace
} // namespace grimtally
