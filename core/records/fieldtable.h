// What each field of a record is, in one table: its number, its key in the exchange files,
// the words of its caption, the kind of input the editor gives it and the choice list behind
// it, and the optional row it belongs to. Captions, the file check, the list cells, the
// exports and the editor all read their facts about a field from here.
#pragma once

#include "core/records/record.h"
#include "core/words/wordindex.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace grimtally {

// The name, beside fields 0..46, where a table covers every text of a record.
inline constexpr int kNameField = -1;
// No optional row: the field is always stored.
inline constexpr int kNoRow = -2;

enum class FieldKind {
    Text,   // an edit box: any text
    Number, // a spin edit: a whole number in its range, though any text is kept
    Choice, // a combo box over a list of the choice file; a typed text is kept too
    List,   // a comma text list: the ability memo's lines, the ticked sub senses
};

// The lists of the choice file that a field's input offers.
enum class ChoiceList {
    None,
    Classify,
    Celebrity,
    Count,
    Frequency,
    Reaction,
    Intelligence, // entries carry the intelligence modifier
    Sense,
    SubSense,
    Movement,
    Size,     // entries carry the size's dodge term
    Hardness, // entries carry the hardness's prevent term
    Attack,
    Magic,
    Ability,
};

// One part of a field's caption: a display word, or fixed text (a blank, a row number).
struct CaptionPart {
    enum class From { Vocabulary, Editor, Fixed };
    From from = From::Fixed;
    int word = 0;
    std::string_view text;
};

struct FieldInfo {
    int field = kNameField;
    std::string_view key;     // fixed English names, the same in every language
    std::string_view control; // the editor's input
    FieldKind kind = FieldKind::Text;
    ChoiceList list = ChoiceList::None;
    // A choice whose entry 0 is the none word, which stands for an empty field.
    bool optional = false;
    // The optional choice whose none word switches this field off (the field itself for an
    // optional choice): the editor empties and disables it, and a record stores it empty.
    int row = kNoRow;
    int minimum = 0; // a number's range
    int maximum = 0;
    // The read-only box beside a number that shows its dice base, the number minus 7.
    std::string_view diceBaseControl;
    std::array<CaptionPart, 3> caption{};
    int captionParts = 0;
};

inline constexpr int kNumberMaximum = 999; // the highest number of every number field

namespace fieldtable_detail {

constexpr CaptionPart voc(int word)
{
    return {CaptionPart::From::Vocabulary, word, {}};
}
constexpr CaptionPart ed(int word)
{
    return {CaptionPart::From::Editor, word, {}};
}
constexpr CaptionPart fixed(std::string_view text)
{
    return {CaptionPart::From::Fixed, 0, text};
}

struct Caption {
    std::array<CaptionPart, 3> parts{};
    int count = 0;
    constexpr Caption(CaptionPart a) : parts{a}, count(1) {}
    constexpr Caption(CaptionPart a, CaptionPart b) : parts{a, b}, count(2) {}
    constexpr Caption(CaptionPart a, CaptionPart b, CaptionPart c) : parts{a, b, c}, count(3) {}
};

constexpr FieldInfo text(int field, std::string_view key, std::string_view control, Caption caption,
                         int row = kNoRow)
{
    FieldInfo info;
    info.field = field;
    info.key = key;
    info.control = control;
    info.kind = FieldKind::Text;
    info.row = row;
    info.caption = caption.parts;
    info.captionParts = caption.count;
    return info;
}

constexpr FieldInfo number(int field, std::string_view key, std::string_view control,
                           Caption caption, int row = kNoRow, std::string_view diceBaseControl = {})
{
    FieldInfo info = text(field, key, control, caption, row);
    info.kind = FieldKind::Number;
    info.minimum = 0;
    info.maximum = kNumberMaximum;
    info.diceBaseControl = diceBaseControl;
    return info;
}

constexpr FieldInfo choice(int field, std::string_view key, std::string_view control,
                           Caption caption, ChoiceList list, int row = kNoRow)
{
    FieldInfo info = text(field, key, control, caption, row);
    info.kind = FieldKind::Choice;
    info.list = list;
    info.optional = row == field;
    return info;
}

constexpr FieldInfo list(int field, std::string_view key, std::string_view control, Caption caption,
                         ChoiceList list)
{
    FieldInfo info = text(field, key, control, caption);
    info.kind = FieldKind::List;
    info.list = list;
    return info;
}

// clang-format off
inline constexpr std::array<FieldInfo, kFieldCount + 1> kTable{{
    text(kNameField, "name", "Name_O", {voc(VocName)}),
    choice(FieldClassify, "classify", "Classify_O", {voc(VocClassify)}, ChoiceList::Classify),
    number(FieldLevel, "level", "Level_O", {voc(VocLevel)}),
    number(FieldCelebrity, "celebrity", "Celebrity_O1", {voc(VocCelebrity)}),
    choice(FieldCelebrityQualifier, "celebrityQualifier", "Celebrity_O2", {ed(EdCelebrity2)},
           ChoiceList::Celebrity, FieldCelebrityQualifier),
    number(FieldDex, "dexterity", "Dex_O", {voc(VocDex)}),
    number(FieldMainSpeed, "mainSpeed", "Movement_O12", {ed(EdMain), fixed(" "), voc(VocSpeed)}),
    choice(FieldMainMovement, "mainMovement", "Movement_O11", {ed(EdMain), fixed(" "), ed(EdMove)},
           ChoiceList::Movement),
    number(FieldSubSpeed, "subSpeed", "Movement_O22", {ed(EdSub), fixed(" "), voc(VocSpeed)},
           FieldSubMovement),
    choice(FieldSubMovement, "subMovement", "Movement_O21", {ed(EdSub), fixed(" "), ed(EdMove)},
           ChoiceList::Movement, FieldSubMovement),
    choice(FieldCountLow, "countLow", "Count_O1", {voc(VocCount)}, ChoiceList::Count),
    choice(FieldCountHigh, "countHigh", "Count_O2", {voc(VocCount), fixed(" 2")},
           ChoiceList::Count, FieldCountHigh),
    choice(FieldFrequency, "frequency", "Frequency_O", {voc(VocFrequency)}, ChoiceList::Frequency),
    choice(FieldInt, "intelligence", "Int_O", {voc(VocInt)}, ChoiceList::Intelligence),
    choice(FieldReaction, "reaction", "Reaction_O1", {voc(VocReaction)}, ChoiceList::Reaction),
    choice(FieldReaction2, "reaction2", "Reaction_O2", {voc(VocReaction), fixed(" 2")},
           ChoiceList::Reaction, FieldReaction2),
    choice(FieldAttack1Method, "attack1Method", "Attack_O11",
           {ed(EdAttack), fixed(" 1 "), ed(EdWeapon)}, ChoiceList::Attack),
    number(FieldAttack1Hit, "attack1Hit", "Attack_O12", {ed(EdAttack), fixed(" 1 "), voc(VocHit)},
           kNoRow, "Attack_O13"),
    text(FieldAttack1Damage, "attack1Damage", "Attack_O14",
         {ed(EdAttack), fixed(" 1 "), voc(VocDamage)}),
    choice(FieldAttack2Method, "attack2Method", "Attack_O21",
           {ed(EdAttack), fixed(" 2 "), ed(EdWeapon)}, ChoiceList::Attack, FieldAttack2Method),
    number(FieldAttack2Hit, "attack2Hit", "Attack_O22", {ed(EdAttack), fixed(" 2 "), voc(VocHit)},
           FieldAttack2Method, "Attack_O23"),
    text(FieldAttack2Damage, "attack2Damage", "Attack_O24",
         {ed(EdAttack), fixed(" 2 "), voc(VocDamage)}, FieldAttack2Method),
    choice(FieldAttack3Method, "attack3Method", "Attack_O31",
           {ed(EdAttack), fixed(" 3 "), ed(EdWeapon)}, ChoiceList::Attack, FieldAttack3Method),
    number(FieldAttack3Hit, "attack3Hit", "Attack_O32", {ed(EdAttack), fixed(" 3 "), voc(VocHit)},
           FieldAttack3Method, "Attack_O33"),
    text(FieldAttack3Damage, "attack3Damage", "Attack_O34",
         {ed(EdAttack), fixed(" 3 "), voc(VocDamage)}, FieldAttack3Method),
    number(FieldDodge, "dodge", "Defence_O2", {voc(VocDodge)}, kNoRow, "Defence_O3"),
    text(FieldPrevent, "prevent", "Defence_O4", {voc(VocPrevent)}),
    number(FieldHP, "hp", "HP_O1", {voc(VocHP)}),
    number(FieldHPResist, "hpResist", "HP_O2", {voc(VocHP), fixed(" "), voc(VocResist)}, kNoRow,
           "HP_O3"),
    number(FieldSP, "sp", "SP_O1", {voc(VocSP)}),
    number(FieldSPResist, "spResist", "SP_O2", {voc(VocSP), fixed(" "), voc(VocResist)}, kNoRow,
           "SP_O3"),
    // The words have none for a magic's level and power; "Lv" reads the same in both sets.
    choice(FieldMagic1Kind, "magic1Kind", "Magic_O11", {ed(EdMagic), fixed(" 1")},
           ChoiceList::Magic, FieldMagic1Kind),
    number(FieldMagic1Level, "magic1Level", "Magic_O12", {ed(EdMagic), fixed(" 1 Lv")},
           FieldMagic1Kind),
    number(FieldMagic1Power, "magic1Power", "Magic_O13", {ed(EdMagic), fixed(" 1 "), ed(EdValue)},
           FieldMagic1Kind, "Magic_O14"),
    choice(FieldMagic2Kind, "magic2Kind", "Magic_O21", {ed(EdMagic), fixed(" 2")},
           ChoiceList::Magic, FieldMagic2Kind),
    number(FieldMagic2Level, "magic2Level", "Magic_O22", {ed(EdMagic), fixed(" 2 Lv")},
           FieldMagic2Kind),
    number(FieldMagic2Power, "magic2Power", "Magic_O23", {ed(EdMagic), fixed(" 2 "), ed(EdValue)},
           FieldMagic2Kind, "Magic_O24"),
    choice(FieldMagic3Kind, "magic3Kind", "Magic_O31", {ed(EdMagic), fixed(" 3")},
           ChoiceList::Magic, FieldMagic3Kind),
    number(FieldMagic3Level, "magic3Level", "Magic_O32", {ed(EdMagic), fixed(" 3 Lv")},
           FieldMagic3Kind),
    number(FieldMagic3Power, "magic3Power", "Magic_O33", {ed(EdMagic), fixed(" 3 "), ed(EdValue)},
           FieldMagic3Kind, "Magic_O34"),
    list(FieldAbility, "abilities", "Ability_O", {voc(VocAbility)}, ChoiceList::Ability),
    text(FieldHabitat, "habitat", "Habitat_O", {voc(VocHabitat)}),
    text(FieldLanguage, "language", "Language_O", {voc(VocLanguage)}),
    choice(FieldSense, "sense", "Sense_O", {voc(VocSense)}, ChoiceList::Sense),
    list(FieldSubSenses, "subSenses", "", {ed(EdSubSense)}, ChoiceList::SubSense),
    number(FieldStrength, "strength", "Str_O", {ed(EdStr)}),
    choice(FieldSize, "size", "Size_O", {ed(EdSize)}, ChoiceList::Size),
    choice(FieldHardness, "hardness", "Hardness_O", {ed(EdHardness)}, ChoiceList::Hardness),
}};
// clang-format on

constexpr bool inFieldOrder()
{
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        if (kTable[i].field != static_cast<int>(i) - 1)
            return false;
    }
    return true;
}
static_assert(inFieldOrder(), "the field table lists the name, then fields 0 to 46 in order");

constexpr bool rowsAreOptionalChoices()
{
    for (const FieldInfo& info : kTable) {
        if (info.row == kNoRow)
            continue;
        const FieldInfo& row = kTable[static_cast<std::size_t>(info.row + 1)];
        if (row.kind != FieldKind::Choice || !row.optional)
            return false;
    }
    return true;
}
static_assert(rowsAreOptionalChoices(), "a field's row is switched by an optional choice");

} // namespace fieldtable_detail

// Every text of a record: the name first, then fields 0..46.
inline constexpr std::span<const FieldInfo, kFieldCount + 1> kFieldTable{fieldtable_detail::kTable};

// The facts of a field (kNameField or 0..46); usable at compile time.
constexpr const FieldInfo& fieldInfo(int field)
{
    return fieldtable_detail::kTable[static_cast<std::size_t>(field + 1)];
}

// The fields that hold comma text lists (abilities, sub-senses): exchanged as lists of items.
constexpr bool isListField(int field)
{
    return field >= kNameField && field < kFieldCount && fieldInfo(field).kind == FieldKind::List;
}

// A number the editor shows beside its dice base (a hit, the dodge, a resist, a magic power).
constexpr bool hasDiceBase(int field)
{
    return !fieldInfo(field).diceBaseControl.empty();
}

// The key of a field (kNameField or 0..46): "name", "classify", "attack2Hit", ...
constexpr std::string_view fieldKey(int field)
{
    return fieldInfo(field).key;
}

// The field of a key, or kFieldCount when no field has it.
int fieldOfKey(std::string_view key);

// The optional choices of a list in field order, each the switch of its row: the second
// and third attack, the three magics. For tables made at compile time.
constexpr std::size_t optionalChoiceCount(ChoiceList list)
{
    std::size_t count = 0;
    for (const FieldInfo& info : kFieldTable)
        count += info.optional && info.list == list ? 1 : 0;
    return count;
}
template <ChoiceList List> constexpr std::array<int, optionalChoiceCount(List)> optionalChoices()
{
    std::array<int, optionalChoiceCount(List)> fields{};
    std::size_t next = 0;
    for (const FieldInfo& info : kFieldTable) {
        if (info.optional && info.list == List)
            fields[next++] = info.field;
    }
    return fields;
}

} // namespace grimtally
