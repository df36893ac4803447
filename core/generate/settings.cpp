#include "core/generate/settings.h"

#include "core/text/numbers.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace grimtally {

namespace {

constexpr std::string_view kSection = kGenerationSection;
constexpr std::string_view kCheckedFlag = "Checked";

// One key of the section: a count text or a flag.
struct SettingsKey {
    std::string_view name;
    std::string GenerationSettings::*text = nullptr;
    bool GenerationSettings::*flag = nullptr;
};

using S = GenerationSettings;
const std::array<SettingsKey, 21> kKeys{{
    {"Level", &S::level, nullptr},
    {"LevelChk", nullptr, &S::levelRolled},
    {"Celebrity", &S::celebrity, nullptr},
    {"CelebrityChk1", nullptr, &S::celebrityRolled},
    {"CelebrityChk2", nullptr, &S::celebrityTextRolled},
    {"Move", &S::movements, nullptr},
    {"MoveChk", nullptr, &S::movementsRolled},
    {"Attack", &S::attacks, nullptr},
    {"AttackChk", nullptr, &S::attacksRolled},
    {"Magic", &S::magics, nullptr},
    {"MagicChk", nullptr, &S::magicsRolled},
    {"Ability", &S::abilities, nullptr},
    {"AbilityChk", nullptr, &S::abilitiesRolled},
    {"SenseSub", &S::subSenses, nullptr},
    {"SenseSubChk", nullptr, &S::subSensesRolled},
    {"Classify", nullptr, &S::classifyRolled},
    {"Count", nullptr, &S::countRolled},
    {"Frequency", nullptr, &S::frequencyRolled},
    {"Reaction", nullptr, &S::reactionRolled},
    {"Intelligence", nullptr, &S::intelligenceRolled},
    {"Sense", nullptr, &S::senseRolled},
}};

bool isCheckedFlag(std::string_view value)
{
    return std::ranges::equal(value, kCheckedFlag, [](char a, char b) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(a) == lower(b);
    });
}

} // namespace

std::vector<SettingsKeyName> generationSettingsKeys()
{
    std::vector<SettingsKeyName> names;
    for (const SettingsKey& key : kKeys)
        names.push_back({key.name, key.flag != nullptr});
    return names;
}

void GenerationSettings::checkAll()
{
    for (const SettingsKey& key : kKeys) {
        if (key.flag)
            this->*key.flag = true;
    }
}

int countValue(std::string_view text, int minimum, int maximum)
{
    const LeadingNumber number = readLeadingNumber(text);
    if (!number.whole)
        return minimum;
    return static_cast<int>(std::clamp<std::int64_t>(number.value, minimum, maximum));
}

int diceCount(const GenerationSettings& settings)
{
    if (settings.magnifyItem == GenerationSettings::kCustomDiceItem)
        return countValue(settings.customDice, 0, GenerationSettings::kMaxCustomDice);
    if (settings.magnifyItem >= 0 && settings.magnifyItem < GenerationSettings::kCustomDiceItem)
        return settings.magnifyItem + 2;
    return GenerationSettings::kDefaultMagnifyItem + 2; // no item selected
}

void writeGenerationSettings(IniFile& file, const GenerationSettings& settings)
{
    for (const SettingsKey& key : kKeys) {
        if (key.text)
            file.writeString(kSection, key.name, settings.*key.text);
        else
            file.writeString(kSection, key.name, settings.*key.flag ? kCheckedFlag : "");
    }
    const bool custom = settings.magnifyItem == GenerationSettings::kCustomDiceItem;
    file.writeString(kSection, kMagnifyKey,
                     custom ? settings.customDice : std::to_string(diceCount(settings)));
}

GenerationSettings readGenerationSettings(const IniFile& file, GenerationSettings current)
{
    for (const SettingsKey& key : kKeys) {
        const std::optional<std::string> value = file.value(kSection, key.name);
        if (key.text) {
            if (value)
                current.*key.text = *value;
        } else {
            current.*key.flag = value && isCheckedFlag(*value);
        }
    }
    const std::int64_t dice =
        readLeadingNumber(file.value(kSection, kMagnifyKey).value_or("")).value;
    if (dice >= 2 && dice <= 6) {
        current.magnifyItem = static_cast<int>(dice) - 2;
    } else {
        current.magnifyItem = GenerationSettings::kCustomDiceItem;
        current.customDice =
            std::to_string(std::clamp<std::int64_t>(dice, 0, GenerationSettings::kMaxCustomDice));
    }
    return current;
}

} // namespace grimtally
