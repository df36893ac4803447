// What one press of "Generate" rolls: every value and list index the editor is to take, drawn
// in the order the dialog applies them, from the settings and the sizes of the editor's lists.
#pragma once

#include "core/generate/dice.h"
#include "core/generate/settings.h"

#include <array>
#include <optional>
#include <vector>

namespace grimtally {

// Entry counts of the editor's lists. The second count and reaction, the second movement,
// the second and third attack, every magic list and the celebrity text hold the none word
// at index 0 before the entries of their first list.
struct ListSizes {
    int size = 0;
    int hardness = 0;
    int celebrityText = 0;
    int classify = 0;
    int frequency = 0;
    int intelligence = 0;
    int sense = 0;
    int count1 = 0;
    int count2 = 0;
    int reaction1 = 0;
    int reaction2 = 0;
    int movement1 = 0;
    int movement2 = 0;
    std::array<int, 3> attacks{};
    std::array<int, 3> magics{};
    int abilities = 0; // lines of the ability list
    int subSenses = 0; // sub-sense check boxes
};

// Entry indices: in an empty list, index 0 selects nothing. A list whose box is not checked
// has no index and stays as it is.
struct EnemyPlan {
    int dexterity = 0;
    int strength = 0;
    int hp = 0;
    int sp = 0;
    int mainSpeed = 0;
    int size = 0;
    int hardness = 0;
    int level = 0;
    int celebrity = 0;
    std::optional<int> celebrityText;
    std::optional<int> classify;
    std::optional<int> frequency;
    std::optional<int> intelligence;
    std::optional<int> sense;
    std::optional<int> count1, count2;
    std::optional<int> reaction1, reaction2;
    int movement1 = 0;
    int movement2 = 0;
    std::optional<int> subSpeed; // only for a real sub method
    std::array<int, 3> attacks{};
    std::array<int, 3> magics{};
    std::array<std::optional<int>, 3> magicLevels; // only for a real magic
    std::vector<int> abilities;                    // indices into the ability list, in order
    std::vector<int> subSenses;                    // sub senses to check, ascending
};

// The ranges the dialog's count entries keep.
constexpr int kMaxLevelBound = 999;
constexpr int kMaxMovements = 2;
constexpr int kMaxAttacks = 3;
constexpr int kMaxMagics = 3;

// Rolls one enemy. A slot whose list holds no entry the rules allow (a second count when
// the count list is empty, say) stays at index 0, the none word, instead of drawing forever.
EnemyPlan planEnemy(const GenerationSettings& settings, const ListSizes& lists,
                    RandomSource& random);

} // namespace grimtally
