// The derived combat values: hit and damage of an attack, dodge, prevent, resistances and
// magic power, as the editor proposes them from level, strength and the rule tables.
#pragma once

#include "core/rules/choicetables.h"
#include "core/text/numbers.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace grimtally {

// What a spin edit's text counts as where a rule needs a number: the integer, else 0.
int spinValue(std::string_view text);

// A choice-file value that is missing or unusable when a derivation needs it. Like every
// error text of the core, what() is UTF-8, ready to be shown; the kind and its arguments
// (UTF-8 too) let a window say the same in another language.
class RuleError : public std::runtime_error {
public:
    enum class Kind {
        NoTableRow,           // table name, key, attack
        NoAttackRow,          // attack number, 1-based
        CriticalNotWhole,     // critical value, attack
        CriticalIs36,         // attack
        Critical36,           // none: the formula alone
        Critical72,           // none: the formula alone
        CriticalTableGives72, // critical key, attack
    };
    RuleError(Kind kind, std::vector<std::string> arguments);
    Kind kind() const { return kind_; }
    const std::vector<std::string>& arguments() const { return arguments_; }

private:
    Kind kind_;
    std::vector<std::string> arguments_;
};

// The value of `key` in `table` (named `tableName` in the message), needed for the attack
// `attackName`; throws RuleError naming the table, the key and the attack when no row has it.
std::string ruleValue(const RuleTable& table, const std::string& key, const char* tableName,
                      const std::string& attackName);

// Row `row` of the attack table; throws RuleError when there is no such row.
const AttackRow& attackRow(const ChoiceTables& tables, int row);

struct AttackValues {
    std::int64_t hit = 0;
    std::string damage; // decimal text, empty, or the hit key when the hit is a word
};

// Hit and damage of attack row `row` (an index into tables.attacks). Throws RuleError when
// a key of the row names no table row, the critical value is not an integer, or it is 36.
AttackValues attackValues(const ChoiceTables& tables, int row, std::int64_t level,
                          std::int64_t strength);

// The damage x + 1/2 truncated toward zero, with
// x = 6(e + 10)/(36 - k) + L + S/6 - 2 and e = 0 for the modifier -10, else S + m;
// computed exactly in integers. Requires k != 36.
std::int64_t attackDamage(std::int64_t level, std::int64_t strength, std::int64_t damageModifier,
                          std::int64_t critical);

std::int64_t dodgeValue(std::int64_t level, std::int64_t dexterity, std::int64_t sizeTerm);
std::int64_t preventValue(std::int64_t level, std::int64_t hardnessTerm);
// `pointsText` is the HP or SP text: not an integer counts as 1; 0 gives L + 8.
std::int64_t resistValue(std::string_view pointsText, std::int64_t level);
std::int64_t magicPower(std::int64_t magicLevel, std::int64_t intelligenceModifier);

// The dice base shown beside a value: value - 7.
inline std::int64_t diceBase(std::int64_t value)
{
    return value - 7;
}

} // namespace grimtally
