// The generation dialog's settings, and section "Generate" of the settings file in which
// the user keeps them ("Generate.txt" by default).
#pragma once

#include "core/text/inifile.h"

#include <string>
#include <string_view>
#include <vector>

namespace grimtally {

// What the dialog shows. Counts are the entries' texts, kept as typed or loaded; generation
// reads them through countValue().
struct GenerationSettings {
    std::string level = "1";
    bool levelRolled = false;
    std::string celebrity = "1";
    bool celebrityRolled = false;
    bool celebrityTextRolled = false;
    std::string movements = "0";
    bool movementsRolled = false;
    std::string attacks = "0";
    bool attacksRolled = false;
    std::string magics = "0";
    bool magicsRolled = false;
    std::string abilities = "0";
    bool abilitiesRolled = false;
    std::string subSenses = "0";
    bool subSensesRolled = false;
    bool classifyRolled = false;
    bool countRolled = false;
    bool frequencyRolled = false;
    bool reactionRolled = false;
    bool intelligenceRolled = false;
    bool senseRolled = false;
    int magnifyItem = kDefaultMagnifyItem; // 0 to 4: 2 to 6 dice; kCustomDiceItem: customDice
    std::string customDice = "7";

    // "All Checked": every roll and choice flag on, nothing else changed.
    void checkAll();

    static constexpr int kCustomDiceItem = 5;
    static constexpr int kDefaultMagnifyItem = 2;
    static constexpr int kMaxCustomDice = 999;

    friend bool operator==(const GenerationSettings&, const GenerationSettings&) = default;
};

// An entry's text as a count within [minimum, maximum]: a whole number is brought into the
// range (however many digits it has), anything else counts as the minimum.
int countValue(std::string_view text, int minimum, int maximum);

// The dice count the settings choose.
int diceCount(const GenerationSettings& settings);

// The 21 keys of section "Generate" before "Magnify", in their order: a count text or a flag.
struct SettingsKeyName {
    std::string_view name;
    bool flag = false;
};
inline constexpr std::string_view kGenerationSection = "Generate";
inline constexpr std::string_view kMagnifyKey = "Magnify";
std::vector<SettingsKeyName> generationSettingsKeys();

// Writes the 22 keys of section "Generate" in their order; other sections and keys stay.
void writeGenerationSettings(IniFile& file, const GenerationSettings& settings);

// The settings after loading section "Generate" over `current`: a count key that is present
// replaces its text unchanged, a missing one keeps it; a flag is set exactly when its value
// is "checked" with ASCII capitals folded; "Magnify" 2 to 6 chooses its item, any other
// number (a missing key reads as 0) the custom count with the number brought into 0..999.
GenerationSettings readGenerationSettings(const IniFile& file, GenerationSettings current);

} // namespace grimtally
