// Where the generation dialog rolls its enemy into: the editor, through one narrow call. The
// program's window set fills this in, so the dialog never needs the editor's class.
#pragma once

#include "core/generate/enemyplan.h"

#include <functional>

class QWidget;

namespace grimtally::ui {

struct GenerationTarget {
    QWidget* window = nullptr;        // disabled while the dialog is up
    std::function<ListSizes()> lists; // the entry counts to draw from, as they stand now
    std::function<void(const EnemyPlan&)> takePlan; // the roll, into the editor's form
};

} // namespace grimtally::ui
