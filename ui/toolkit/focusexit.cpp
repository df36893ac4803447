#include "ui/toolkit/focusexit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QWidget>

namespace grimtally::ui {

bool focusMovesWithinWindow(const QWidget* control, const QFocusEvent* event)
{
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return false;
    // A control the program disables loses the focus to the next one; the user did not
    // leave it, and its exit handler must not refill a row that was just switched off.
    if (!control->isEnabled())
        return false;
    // A window being hidden or disabled drops the focus to no widget at all; that is not
    // the user moving on, and running range keeping then would surprise.
    const QWidget* next = QApplication::focusWidget();
    if (!next || next == control || control->isAncestorOf(next))
        return false;
    return next->window() == control->window();
}

} // namespace grimtally::ui
