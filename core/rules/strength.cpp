#include "core/rules/strength.h"

#include "core/rules/combat.h"
#include "core/text/sjis.h"

namespace grimtally {

namespace {

// 6(D - L + 2)(36 - k) leaves 64 bits behind for inputs from 32-bit texts; the quotient
// itself stays far inside them.
__extension__ typedef __int128 Wide;

} // namespace

std::int64_t estimateStrength(std::int64_t level, std::int64_t damage, std::int64_t damageModifier,
                              std::int64_t critical)
{
    if (critical == 72)
        throw RuleError(RuleError::Kind::Critical72, {});
    const Wide n =
        6 * (Wide(damage) - level + 2) * (36 - Wide(critical)) - 36 * (Wide(damageModifier) + 10);
    const Wide d = 72 - Wide(critical);
    // N/d + 1/2 = (2N + d) / 2d exactly; '/' truncates toward zero, also when d is negative.
    return static_cast<std::int64_t>((2 * n + d) / (2 * d));
}

std::int64_t estimateStrength(const ChoiceTables& tables, int row, std::int64_t level,
                              std::int64_t damage)
{
    const AttackRow& attack = attackRow(tables, row);
    const int modifier =
        readInteger(ruleValue(tables.damage, attack.damageKey, "damage", attack.name)).value_or(0);
    const int critical =
        readInteger(ruleValue(tables.critical, attack.criticalKey, "critical", attack.name))
            .value_or(0);
    if (critical == 72)
        throw RuleError(RuleError::Kind::CriticalTableGives72,
                        {cp932ToUtf8(attack.criticalKey), cp932ToUtf8(attack.name)});
    return estimateStrength(level, damage, modifier, critical);
}

} // namespace grimtally
