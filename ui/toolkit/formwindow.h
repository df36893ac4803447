// What every form window shares: the flags of a fixed dialog border with a close box, its
// name, caption, icon, font and client size, controls placed by name and geometry, and
// standing in the middle of the screen.
#pragma once

#include <QRect>
#include <QString>
#include <Qt>

class QWidget;

namespace grimtally::ui {

inline constexpr Qt::WindowFlags kFixedDialogFlags =
    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowCloseButtonHint;

// The window's objectName (its class name), caption, the program's icon and font, and its
// fixed client size.
void setUpFormWindow(QWidget* window, const QString& name, const QString& caption, int width,
                     int height);

// Centres the window's frame on the screen it is shown on; for a showEvent.
void centreOnScreen(QWidget* window);

template <typename Control> Control* placed(Control* control, const QString& name, QRect geometry)
{
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

} // namespace grimtally::ui
