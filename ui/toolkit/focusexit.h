// When a control's exit handler runs: the focus went to another control of the same window,
// not to a popup, another window or nowhere, and not because the control was disabled.
#pragma once

class QFocusEvent;
class QWidget;

namespace grimtally::ui {

// Call at the start of focusOutEvent: Qt has already made the new focus widget current.
bool focusMovesWithinWindow(const QWidget* control, const QFocusEvent* event);

} // namespace grimtally::ui
