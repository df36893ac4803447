#include "core/rules/combat.h"
#include "core/rules/strength.h"

#include <climits>
#include <gtest/gtest.h>

namespace grimtally {
namespace {

TEST(EstimateStrength, RoundsHalfUpAndTruncatesTowardZero)
{
    struct Case {
        std::int64_t level, damage, modifier, critical, expected;
    };
    const Case cases[] = {
        {4, 10, -6, 9, 18},                            // 1152 / 63 = 18.29
        {3, 8, 0, 10, 12},                             // 732 / 62 = 11.81
        {10, 0, 0, 10, -25},                           // -25.94 + 1/2 truncates to -25, not -26
        {3, 5, -10, 10, 10},                           // -10 takes the general formula: 624 / 62
        {1, 0, -5, 0, 1},                              // exactly 1/2 goes up
        {3, 8, 0, 73, 1914},                           // a negative divisor
        {INT_MIN, INT_MAX, INT_MIN, 73, 876173328966}, // no overflow inside
    };
    for (const Case& c : cases)
        EXPECT_EQ(estimateStrength(c.level, c.damage, c.modifier, c.critical), c.expected)
            << "L=" << c.level << " D=" << c.damage << " m=" << c.modifier << " k=" << c.critical;
    EXPECT_THROW(estimateStrength(3, 8, 0, 72), RuleError);
}

// Both rules round halves up only above zero. There, and where the damage grows by less than
// one per point of strength, rounding the estimate moves the damage by less than a half: the
// damage rule then gives back the damage asked for.
TEST(EstimateStrength, TheDamageRuleGivesTheDamageBack)
{
    for (int critical = -5; critical <= 28; ++critical)
        for (int modifier : {-20, -6, 0, 5})
            for (int level = 0; level <= 12; ++level) // both worked examples among them
                for (int damage = 0; damage <= 30; ++damage) {
                    const std::int64_t strength =
                        estimateStrength(level, damage, modifier, critical);
                    if (strength < 1)
                        continue;
                    ASSERT_EQ(attackDamage(level, strength, modifier, critical), damage)
                        << "L=" << level << " D=" << damage << " m=" << modifier
                        << " k=" << critical << " S=" << strength;
                }
}

TEST(EstimateStrength, ReadsTheAttackRowsValuesAndNamesWhatIsMissing)
{
    ChoiceTables t; // no hit table: the estimate never needs it
    t.damage = {{"Blade", "Odd"}, {"-6", "lots"}};
    t.critical = {{"blade", "Bad", "Wall"}, {"9", "x", "72"}};
    t.attacks = {{"Rake", "", "Blade", "Blade"},
                 {"Poke", "", "Odd", "Bad"},
                 {"Wall", "", "Blade", "Wall"},
                 {"\x8C\x95", "", "Missing", "Blade"}}; // a Shift-JIS name

    EXPECT_EQ(estimateStrength(t, 0, 4, 10), 18);
    EXPECT_EQ(estimateStrength(t, 1, 3, 8), estimateStrength(3, 8, 0, 0)); // words count as 0
    EXPECT_THROW(estimateStrength(t, 2, 3, 8), RuleError);
    try {
        estimateStrength(t, 3, 3, 8);
        ADD_FAILURE() << "a missing damage key went unnoticed";
    } catch (const RuleError& error) {
        const std::string text = error.what();
        for (const char* part : {"damage", "Missing", "\xE5\x89\xA3"}) // 剣 in UTF-8
            EXPECT_NE(text.find(part), std::string::npos) << text;
    }
}

} // namespace
} // namespace grimtally
