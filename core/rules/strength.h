// The strength estimate: the strength at which an attack's damage comes out as a stated
// damage for a stated level, worked backwards from the damage rule.
#pragma once

#include "core/rules/choicetables.h"

#include <cstdint>

namespace grimtally {

// The strength S that makes x = 6(S + m + 10)/(36 - k) + L + S/6 - 2 equal the damage D,
// rounded halves up: N/(72 - k) + 1/2 truncated toward zero with
// N = 6(D - L + 2)(36 - k) - 36(m + 10), computed exactly. The modifier -10 takes the same
// formula. Throws RuleError for k = 72.
std::int64_t estimateStrength(std::int64_t level, std::int64_t damage, std::int64_t damageModifier,
                              std::int64_t critical);

// The estimate for attack row `row`. A damage or critical value that is not an integer
// counts as 0; a key with no table row, a row that does not exist or a critical value of 72
// throws RuleError naming what to mend.
std::int64_t estimateStrength(const ChoiceTables& tables, int row, std::int64_t level,
                              std::int64_t damage);

} // namespace grimtally
