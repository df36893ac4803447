#include "ui/toolkit/windowprotocol.h"

#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace grimtally::ui {

namespace {

// Disabling a window takes the focus from its control; the opener gets it back on return.
constexpr char kFocusBeforeOpening[] = "grimtally_focusBeforeOpening";

} // namespace

void openSecondary(QWidget* opener, QWidget* window, QWidget* focus)
{
    if (opener) {
        opener->setProperty(kFocusBeforeOpening,
                            QVariant::fromValue(QPointer<QWidget>(opener->focusWidget())));
        opener->setEnabled(false);
    }
    window->show();
    window->raise();
    window->activateWindow();
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
}

void closeSecondary(QWidget* window, QWidget* opener)
{
    window->hide();
    if (!opener)
        return;
    opener->setEnabled(true);
    opener->activateWindow();
    QWidget* target = opener->property(kFocusBeforeOpening).value<QPointer<QWidget>>();
    opener->setProperty(kFocusBeforeOpening, QVariant());
    if (target && target->window() == opener->window() && target->isEnabled() &&
        target->isVisible())
        target->setFocus(Qt::OtherFocusReason);
    else
        opener->setFocus(Qt::OtherFocusReason);
}

} // namespace grimtally::ui
