#include "core/rules/combat.h"

#include "core/text/numbers.h"
#include "core/text/sjis.h"

namespace grimtally {

namespace {

// Wide enough for every product of the damage formula when the inputs come from 32-bit
// texts (a critical value of -2^31 times a level of 2^31 already leaves 64 bits behind).
__extension__ typedef __int128 Wide;

std::int64_t div6(std::int64_t n)
{
    return n / 6;
} // C++ truncates toward zero, as the rules do

} // namespace

namespace {

std::string describe(RuleError::Kind kind, const std::vector<std::string>& a)
{
    using enum RuleError::Kind;
    switch (kind) {
    case NoTableRow:
        return "The " + a.at(0) + " table has no row \"" + a.at(1) + "\" for the attack \"" +
               a.at(2) + "\".";
    case NoAttackRow:
        return "There is no attack method number " + a.at(0) + " in the choice file.";
    case CriticalNotWhole:
        return "The critical value \"" + a.at(0) + "\" of the attack \"" + a.at(1) +
               "\" is not a whole number.";
    case CriticalIs36:
        return "The critical value of the attack \"" + a.at(0) +
               "\" is 36, which would divide by zero.";
    case Critical36:
        return "A critical value of 36 would divide by zero.";
    case Critical72:
        return "A critical value of 72 would divide by zero.";
    case CriticalTableGives72:
        return "The critical table gives \"" + a.at(0) + "\" of the attack \"" + a.at(1) +
               "\" the value 72, which would divide by zero.";
    }
    return {};
}

} // namespace

RuleError::RuleError(Kind kind, std::vector<std::string> arguments)
    : std::runtime_error(describe(kind, arguments)), kind_(kind), arguments_(std::move(arguments))
{}

std::string ruleValue(const RuleTable& table, const std::string& key, const char* tableName,
                      const std::string& attackName)
{
    auto value = table.lookup(key);
    if (!value)
        throw RuleError(RuleError::Kind::NoTableRow,
                        {tableName, cp932ToUtf8(key), cp932ToUtf8(attackName)});
    return std::move(*value);
}

int spinValue(std::string_view text)
{
    return readInteger(text).value_or(0);
}

std::int64_t attackDamage(std::int64_t level, std::int64_t strength, std::int64_t damageModifier,
                          std::int64_t critical)
{
    if (critical == 36)
        throw RuleError(RuleError::Kind::Critical36, {});
    const Wide e = damageModifier == -10 ? 0 : Wide(strength) + damageModifier;
    const Wide span = 36 - Wide(critical);
    const Wide q = 6 * span;
    const Wide n = 36 * (e + 10) + q * (Wide(level) - 2) + Wide(strength) * span;
    // x + 1/2 = (2N + Q) / 2Q exactly; '/' truncates toward zero, also when Q is negative.
    return static_cast<std::int64_t>((2 * n + q) / (2 * q));
}

const AttackRow& attackRow(const ChoiceTables& tables, int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= tables.attacks.size())
        throw RuleError(RuleError::Kind::NoAttackRow, {std::to_string(row + 1)});
    return tables.attacks[static_cast<std::size_t>(row)];
}

AttackValues attackValues(const ChoiceTables& tables, int row, std::int64_t level,
                          std::int64_t strength)
{
    const AttackRow& attack = attackRow(tables, row);

    AttackValues result;
    const std::string hitValue = ruleValue(tables.hit, attack.hitKey, "hit", attack.name);
    const std::optional<int> hit = readInteger(hitValue);
    if (!hit) {
        // A word as the hit value names an attack kind that works by strength alone; the
        // damage box then names the kind instead of a number.
        result.hit = level + div6(strength) + 7;
        result.damage = attack.hitKey;
        return result;
    }

    result.hit = level + *hit + 7;
    const std::string damageValue =
        ruleValue(tables.damage, attack.damageKey, "damage", attack.name);
    const std::optional<int> modifier = readInteger(damageValue);
    if (!modifier)
        return result; // no damage to show

    const std::string criticalValue =
        ruleValue(tables.critical, attack.criticalKey, "critical", attack.name);
    const std::optional<int> critical = readInteger(criticalValue);
    if (!critical)
        throw RuleError(RuleError::Kind::CriticalNotWhole,
                        {cp932ToUtf8(criticalValue), cp932ToUtf8(attack.name)});
    if (*critical == 36)
        throw RuleError(RuleError::Kind::CriticalIs36, {cp932ToUtf8(attack.name)});
    result.damage = std::to_string(attackDamage(level, strength, *modifier, *critical));
    return result;
}

std::int64_t dodgeValue(std::int64_t level, std::int64_t dexterity, std::int64_t sizeTerm)
{
    return level + div6(dexterity) + sizeTerm;
}

std::int64_t preventValue(std::int64_t level, std::int64_t hardnessTerm)
{
    return level + hardnessTerm + 2;
}

std::int64_t resistValue(std::string_view pointsText, std::int64_t level)
{
    const std::int64_t points = readInteger(pointsText).value_or(1);
    // No points at all is a special case of the rules, not the general formula's L + 6.
    if (points == 0)
        return level + 8;
    return level + div6(points) + 6;
}

std::int64_t magicPower(std::int64_t magicLevel, std::int64_t intelligenceModifier)
{
    return magicLevel + intelligenceModifier + 7;
}

} // namespace grimtally
