#include "core/rules/combat.h"

#include <climits>
#include <gtest/gtest.h>

namespace grimtally {
namespace {

TEST(AttackDamage, RoundsHalfUpAndTruncatesTowardZero)
{
    struct Case {
        std::int64_t level, strength, modifier, critical, expected;
    };
    const Case cases[] = {
        {3, 12, 0, 10, 8},   // x = 132/26 + 3 + 2 - 2, about 8.08
        {3, 12, -10, 10, 5}, // strength drops out of the first term
        {4, 17, -6, 9, 10},  // x is exactly 9.5
        {1, 1, 0, 35, 65},   // smallest positive divisor
        {1, 1, 0, 37, -66},  // negative divisor: -66.33 truncates toward zero
        {999, 999, 999, 35, 13212},
        {0, 0, 0, 0, 0},      // x = -1/3, plus a half is still above zero
        {1, 0, -20, 10, -2},  // -2.81 truncates to -2, not -3
        {-5, -6, 0, 10, -6},  // negative level and strength
        {-8, 0, -13, 0, -10}, // x = -10.5: the half goes up, to -10
        // 32-bit extremes must not overflow inside the formula.
        {INT_MAX, INT_MAX, INT_MAX, INT_MIN, 2505397598},
        {INT_MIN, INT_MAX, INT_MIN, INT_MAX, -1789569708},
    };
    for (const Case& c : cases)
        EXPECT_EQ(attackDamage(c.level, c.strength, c.modifier, c.critical), c.expected)
            << "L=" << c.level << " S=" << c.strength << " m=" << c.modifier << " k=" << c.critical;
}

TEST(AttackDamage, CriticalOf36IsAnErrorNotADivisionByZero)
{
    EXPECT_THROW(attackDamage(3, 12, 0, 36), RuleError);
}

TEST(SimpleValues, FollowTheWorkedExamples)
{
    EXPECT_EQ(dodgeValue(3, 14, 0 + 6), 11);
    EXPECT_EQ(dodgeValue(3, 14, 6), 11); // no sizes at all: the neutral term
    EXPECT_EQ(dodgeValue(3, -7, 6), 8);  // -7 div 6 is -1, not -2
    EXPECT_EQ(preventValue(3, 1), 6);
    EXPECT_EQ(preventValue(3, 0), 5);
    EXPECT_EQ(preventValue(3, -4), 1);
    EXPECT_EQ(magicPower(2, 1), 10);
    EXPECT_EQ(magicPower(1, 1), 9);
    EXPECT_EQ(magicPower(1, -3), 5);
    EXPECT_EQ(diceBase(12), 5);
}

TEST(ResistValue, ZeroPointsIsASpecialCaseAndNonNumbersCountAsOne)
{
    struct Case {
        const char* points;
        std::int64_t expected;
    };
    const Case cases[] = {
        {"20", 12}, {"5", 9},  {"0", 11},   {"abc", 9}, {"", 9},
        {"6", 10},  {"-7", 8}, {" 12", 11}, {"+0", 11}, {"12 ", 9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(resistValue(c.points, 3), c.expected) << '"' << c.points << '"';
}

// Tables built directly, so these tests do not depend on the choice file reader.
ChoiceTables sampleTables()
{
    ChoiceTables t;
    t.hit = {{"Blade", "Claw", "Grapple", "Bite", "Spell"}, {"2", "1", "Hold", "0", "3"}};
    t.damage = {{"Blade", "Claw", "Touch", "Bite", "Odd", "Spell"},
                {"0", "-6", "-10", "1", "lots", "0"}};
    t.critical = {{"Blade", "Claw", "Bite", "Odd", "Spell"}, {"10", "9", "x", "10", "36"}};
    t.attacks = {
        {"Sword", "Blade", "Blade", "Blade"},     {"Rake", "Claw", "Claw", "Claw"},
        {"Crush", "Grapple", "Blade", "Blade"},   {"Chill Touch", "Blade", "Touch", "Blade"},
        {"Gnaw", "Bite", "Bite", "Bite"},         {"Flail", "Blade", "Odd", "Missing"},
        {"Lost", "Nowhere", "Blade", "Blade"},    {"Unkeyed", "Blade", "Nowhere", "Blade"},
        {"Uncritical", "Blade", "Blade", "None"}, {"Zap", "Spell", "Spell", "Spell"},
    };
    return t;
}

TEST(AttackValues, DeriveHitAndDamageFromTheRow)
{
    const ChoiceTables t = sampleTables();
    struct Case {
        int row;
        std::int64_t level, strength, hit;
        const char* damage;
    };
    const Case cases[] = {
        {0, 3, 12, 12, "8"},       {1, 4, 17, 12, "10"},
        {2, 3, 12, 12, "Grapple"}, // a word as hit value: hit from strength, damage names it
        {2, 3, -13, 8, "Grapple"}, // -13 div 6 is -2
        {3, 3, 12, 12, "5"},       // the -10 modifier
        {5, 3, 12, 12, ""},        // a word as damage value: no damage, critical never read
    };
    for (const Case& c : cases) {
        const AttackValues v = attackValues(t, c.row, c.level, c.strength);
        EXPECT_EQ(v.hit, c.hit) << "row " << c.row;
        EXPECT_EQ(v.damage, c.damage) << "row " << c.row;
    }
}

TEST(AttackValues, UnusableTableValuesAreRuleErrors)
{
    const ChoiceTables t = sampleTables();
    for (int row : {4, 6, 7, 8, 9, -1, 10})
        EXPECT_THROW(attackValues(t, row, 3, 12), RuleError) << "row " << row;
}

} // namespace
} // namespace grimtally
