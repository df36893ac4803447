#include "core/generate/enemyplan.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace grimtally {
namespace {

// Lists as a full choice file gives them: the none word first in the second lists.
ListSizes fullLists()
{
    ListSizes lists;
    lists.size = lists.hardness = 5;
    lists.celebrityText = 4;
    lists.classify = lists.frequency = lists.intelligence = lists.sense = 6;
    lists.count1 = lists.reaction1 = lists.movement1 = 3;
    lists.count2 = lists.reaction2 = lists.movement2 = 4;
    lists.attacks = {4, 5, 5};
    lists.magics = {4, 4, 4};
    lists.abilities = 8;
    lists.subSenses = 5;
    return lists;
}

GenerationSettings everythingRolled()
{
    GenerationSettings settings;
    settings.level = "10";
    settings.movements = "2";
    settings.attacks = "3";
    settings.magics = "3";
    settings.abilities = "8";
    settings.subSenses = "5";
    settings.checkAll();
    return settings;
}

// Pearson's statistic of counts against an even spread over `cells` values.
double chiSquare(const std::map<int, int>& counts, int cells, int total)
{
    const double expected = double(total) / cells;
    double sum = 0;
    for (int cell = 0; cell < cells; ++cell) {
        const auto found = counts.find(cell);
        const double observed = found == counts.end() ? 0 : found->second;
        sum += (observed - expected) * (observed - expected) / expected;
    }
    return sum;
}

TEST(Dice, SumsSixSidedDiceOverTheBonus)
{
    RandomSource random(1);
    EXPECT_EQ(rollDice(random, 0, 6, 5), 5);
    EXPECT_EQ(rollDice(random, -3, 6, 2), 2);
    EXPECT_EQ(random.below(0), 0);
    EXPECT_EQ(random.below(-4), 0);
    std::map<int, int> seen;
    for (int roll = 0; roll < 3000; ++roll)
        ++seen[rollDice(random, 3, 6, 0)];
    EXPECT_EQ(seen.begin()->first, 3);
    EXPECT_EQ(seen.rbegin()->first, 18);
    EXPECT_EQ(seen.size(), 16u);
}

TEST(EnemyPlan, MainValuesFollowTheDiceCountAndSpeedAlwaysTakesFourDice)
{
    RandomSource random(2);
    GenerationSettings settings;
    settings.magnifyItem = GenerationSettings::kCustomDiceItem;
    for (const char* none : {"0", ""}) {
        settings.customDice = none;
        const EnemyPlan plan = planEnemy(settings, fullLists(), random);
        EXPECT_EQ(plan.dexterity + plan.strength + plan.hp + plan.sp, 0);
        EXPECT_GE(plan.mainSpeed, 4);
    }
    settings.magnifyItem = 0; // two dice
    for (int run = 0; run < 200; ++run) {
        const EnemyPlan plan = planEnemy(settings, fullLists(), random);
        for (int value : {plan.dexterity, plan.strength, plan.hp, plan.sp}) {
            EXPECT_GE(value, 2);
            EXPECT_LE(value, 12);
        }
        EXPECT_GE(plan.mainSpeed, 4);
        EXPECT_LE(plan.mainSpeed, 24);
    }
}

TEST(EnemyPlan, LevelIsTheBoundOrRolledFromOneUpToIt)
{
    struct Case {
        const char* bound;
        bool rolled;
        int low, high;
    };
    const Case cases[] = {{"0", true, 1, 1},        {"1", true, 1, 1},  {"7", true, 1, 7},
                          {"0", false, 0, 0},       {"7", false, 7, 7}, {"x", false, 0, 0},
                          {"5000", false, 999, 999}};
    RandomSource random(3);
    for (const Case& c : cases) {
        GenerationSettings settings;
        settings.level = settings.celebrity = c.bound;
        settings.levelRolled = settings.celebrityRolled = c.rolled;
        for (int run = 0; run < 100; ++run) {
            const EnemyPlan plan = planEnemy(settings, fullLists(), random);
            for (int value : {plan.level, plan.celebrity}) {
                EXPECT_GE(value, c.low) << c.bound;
                EXPECT_LE(value, c.high) << c.bound;
            }
        }
    }
}

TEST(EnemyPlan, UncheckedListsStayAndZeroCountsTakeTheFirstEntryAndTheNoneWord)
{
    RandomSource random(4);
    const EnemyPlan plan = planEnemy(GenerationSettings{}, fullLists(), random);
    EXPECT_FALSE(plan.celebrityText || plan.classify || plan.frequency || plan.intelligence ||
                 plan.sense || plan.count1 || plan.count2 || plan.reaction1 || plan.reaction2);
    EXPECT_EQ(plan.movement1, 0);
    EXPECT_EQ(plan.movement2, 0);
    EXPECT_FALSE(plan.subSpeed);
    EXPECT_EQ(plan.attacks, (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(plan.magics, (std::array<int, 3>{0, 0, 0}));
    EXPECT_TRUE(plan.abilities.empty());
    EXPECT_TRUE(plan.subSenses.empty());
}

TEST(EnemyPlan, SecondDrawsNeverRepeatTheFirstAndDependentValuesComeOnlyWithTheirSlot)
{
    RandomSource random(5);
    const ListSizes lists = fullLists();
    GenerationSettings settings = everythingRolled(); // with every slot drawn
    settings.movementsRolled = settings.attacksRolled = settings.magicsRolled = false;
    for (int run = 0; run < 3000; ++run) {
        const EnemyPlan plan = planEnemy(settings, lists, random);
        EXPECT_NE(*plan.count2, *plan.count1 + 1);
        EXPECT_NE(*plan.reaction2, *plan.reaction1 + 1);
        EXPECT_NE(plan.movement2, plan.movement1 + 1);
        EXPECT_EQ(plan.subSpeed.has_value(), plan.movement2 > 0);
        if (plan.subSpeed) {
            EXPECT_GE(*plan.subSpeed, 4);
            EXPECT_LE(*plan.subSpeed, 24);
        }
        const auto [a1, a2, a3] = plan.attacks;
        EXPECT_NE(a2, a1 + 1);
        EXPECT_NE(a3, a2);
        EXPECT_NE(a3, a1 + 1);
        const auto [g1, g2, g3] = plan.magics;
        EXPECT_NE(g2, g1);
        EXPECT_NE(g3, g1);
        EXPECT_NE(g3, g2);
        for (std::size_t slot = 0; slot < 3; ++slot) {
            const std::optional<int> level = plan.magicLevels[slot];
            EXPECT_EQ(level.has_value(), plan.magics[slot] > 0);
            if (level) {
                EXPECT_GE(*level, 1);
                EXPECT_LE(*level, 10);
            }
        }
        for (const std::vector<int>& chosen : {plan.abilities, plan.subSenses})
            EXPECT_TRUE(std::ranges::is_sorted(chosen) &&
                        std::ranges::adjacent_find(chosen) == chosen.end());
    }
}

TEST(EnemyPlan, ListsTooShortForTheCountEndAtTheNoneWord)
{
    ListSizes lists;                                      // no choice file: every list empty
    lists.count2 = lists.reaction2 = lists.movement2 = 1; // the none word alone
    lists.attacks = {1, 2, 2};
    lists.magics = {1, 1, 1};
    RandomSource random(6);
    for (int run = 0; run < 50; ++run) {
        const EnemyPlan plan = planEnemy(everythingRolled(), lists, random);
        EXPECT_EQ(plan.count2, 0);
        EXPECT_EQ(plan.reaction2, 0);
        EXPECT_EQ(plan.movement2, 0);
        EXPECT_EQ(plan.attacks, (std::array<int, 3>{0, 0, 0}));
        EXPECT_EQ(plan.magics, (std::array<int, 3>{0, 0, 0}));
        EXPECT_TRUE(plan.abilities.empty());
    }
}

TEST(EnemyPlan, AbilitiesAndSubSensesAreAllOrNoneAtTheEnds)
{
    RandomSource random(7);
    GenerationSettings settings;
    settings.abilities = "8";
    settings.subSenses = "99"; // above the count of boxes: all of them
    EnemyPlan plan = planEnemy(settings, fullLists(), random);
    EXPECT_EQ(plan.abilities, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(plan.subSenses, (std::vector<int>{0, 1, 2, 3, 4}));
    settings.abilities = "3";
    plan = planEnemy(settings, fullLists(), random);
    EXPECT_EQ(plan.abilities.size(), 3u);
}

TEST(EnemyPlan, RolledCountsAndChosenAbilitiesAreSpreadEvenly)
{
    // 99.9% points of the chi-square distribution for the degrees of freedom used here.
    const std::map<int, double> limit{{3, 16.27}, {4, 18.47}, {5, 20.52}, {7, 24.32}};
    constexpr int kPlans = 6000;
    GenerationSettings settings = everythingRolled();
    settings.level = "6";
    settings.abilities = "4";
    settings.subSenses = "3";
    std::map<int, int> levels, abilityCounts, subSenseCounts, abilityPicks;
    RandomSource random(8);
    int picks = 0;
    for (int run = 0; run < kPlans; ++run) {
        const EnemyPlan plan = planEnemy(settings, fullLists(), random);
        ++levels[plan.level - 1];
        ++abilityCounts[int(plan.abilities.size())];
        ++subSenseCounts[int(plan.subSenses.size())];
        for (int ability : plan.abilities)
            ++abilityPicks[ability];
        picks += int(plan.abilities.size());
    }
    EXPECT_LT(chiSquare(levels, 6, kPlans), limit.at(5));
    EXPECT_LT(chiSquare(abilityCounts, 5, kPlans), limit.at(4));
    EXPECT_LT(chiSquare(subSenseCounts, 4, kPlans), limit.at(3));
    EXPECT_LT(chiSquare(abilityPicks, 8, picks), limit.at(7));
}

} // namespace
} // namespace grimtally
