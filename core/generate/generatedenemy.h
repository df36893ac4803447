// The enemy that "Generate" makes of a plan, without the windows: the editor's new-record
// state, the plan applied as the generation dialog applies it (with the editor's handlers
// that derive hit, damage, dodge, prevent, resists and magic power), and the fields as
// registering the record stores them. For rolling many enemies from the command line.
#pragma once

#include "core/generate/enemyplan.h"
#include "core/records/record.h"
#include "core/rules/choicetables.h"

#include <string_view>

namespace grimtally {

// The entry counts of the editor's lists once `tables` are loaded with `noneWord` put
// first on the optional boxes: what the dialog hands planEnemy().
ListSizes editorListSizes(const ChoiceTables& tables, std::string_view noneWord);

// The record, named `name`. Throws RuleError where the editor would show one (an attack
// whose keys the rule tables lack); the editor then keeps the old hit and damage, which
// a batch of enemies should not.
EnemyRecord generatedEnemy(const EnemyPlan& plan, const ChoiceTables& tables,
                           std::string_view noneWord, std::string name = {});

} // namespace grimtally
