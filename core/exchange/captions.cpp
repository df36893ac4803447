#include "core/exchange/captions.h"

#include "core/records/record.h"
#include "core/text/sjis.h"

#include <array>
#include <unordered_map>

namespace grimtally {

namespace {

// clang-format off
constexpr std::array<std::string_view, kFieldCount + 1> kFieldKeys{{
    "name",
    "classify", "level", "celebrity", "celebrityQualifier", "dexterity",
    "mainSpeed", "mainMovement", "subSpeed", "subMovement",
    "countLow", "countHigh", "frequency", "intelligence", "reaction", "reaction2",
    "attack1Method", "attack1Hit", "attack1Damage",
    "attack2Method", "attack2Hit", "attack2Damage",
    "attack3Method", "attack3Hit", "attack3Damage",
    "dodge", "prevent", "hp", "hpResist", "sp", "spResist",
    "magic1Kind", "magic1Level", "magic1Power",
    "magic2Kind", "magic2Level", "magic2Power",
    "magic3Kind", "magic3Level", "magic3Power",
    "abilities", "habitat", "language", "sense", "subSenses",
    "strength", "size", "hardness",
}};
// clang-format on

} // namespace

std::string displayText(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    if (appendExactUtf8(bytes, out))
        return out;
    out.clear();
    appendShownUtf8(bytes, out);
    return out;
}

Captions::Captions(const Vocabulary& vocabulary, const std::vector<std::string>& editorWords)
{
    for (const std::string& word : vocabulary.words)
        vocabulary_.push_back(displayText(word));
    for (const std::string& word : editorWords)
        editor_.push_back(displayText(word));
    vocabulary_.resize(VocabularySize);
    editor_.resize(EditorWordCount);

    const auto& v = vocabulary_;
    const auto& e = editor_;
    auto& f = fields_;
    f.push_back(v[VocName]);
    f.push_back(v[VocClassify]);
    f.push_back(v[VocLevel]);
    f.push_back(v[VocCelebrity]);
    f.push_back(e[EdCelebrity2]);
    f.push_back(v[VocDex]);
    for (int row : {EdMain, EdSub}) {
        f.push_back(e[row] + ' ' + v[VocSpeed]);
        f.push_back(e[row] + ' ' + e[EdMove]);
    }
    f.push_back(v[VocCount]);
    f.push_back(v[VocCount] + " 2");
    f.push_back(v[VocFrequency]);
    f.push_back(v[VocInt]);
    f.push_back(v[VocReaction]);
    f.push_back(v[VocReaction] + " 2");
    for (const char* number : {" 1", " 2", " 3"}) {
        const std::string row = e[EdAttack] + number + ' ';
        f.push_back(row + e[EdWeapon]);
        f.push_back(row + v[VocHit]);
        f.push_back(row + v[VocDamage]);
    }
    f.push_back(v[VocDodge]);
    f.push_back(v[VocPrevent]);
    f.push_back(v[VocHP]);
    f.push_back(v[VocHP] + ' ' + v[VocResist]);
    f.push_back(v[VocSP]);
    f.push_back(v[VocSP] + ' ' + v[VocResist]);
    // The words have none for a magic's level and power; "Lv" reads the same in both sets.
    for (const char* number : {" 1", " 2", " 3"}) {
        const std::string row = e[EdMagic] + number;
        f.push_back(row);
        f.push_back(row + " Lv");
        f.push_back(row + ' ' + e[EdValue]);
    }
    f.push_back(v[VocAbility]);
    f.push_back(v[VocHabitat]);
    f.push_back(v[VocLanguage]);
    f.push_back(v[VocSense]);
    f.push_back(e[EdSubSense]);
    f.push_back(e[EdStr]);
    f.push_back(e[EdSize]);
    f.push_back(e[EdHardness]);
}

Captions Captions::fromLanguage(const IniFile& language)
{
    return Captions(readVocabulary(language), readEditorWords(language));
}

bool isListField(int field)
{
    return field == FieldAbility || field == FieldSubSenses;
}

std::string_view fieldKey(int field)
{
    return kFieldKeys.at(static_cast<std::size_t>(field + 1));
}

int fieldOfKey(std::string_view key)
{
    static const std::unordered_map<std::string_view, int> fields = [] {
        std::unordered_map<std::string_view, int> map;
        for (std::size_t i = 0; i < kFieldKeys.size(); ++i)
            map.emplace(kFieldKeys[i], static_cast<int>(i) - 1);
        return map;
    }();
    const auto found = fields.find(key);
    return found == fields.end() ? kFieldCount : found->second;
}

} // namespace grimtally
