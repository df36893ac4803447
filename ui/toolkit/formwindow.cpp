#include "ui/toolkit/formwindow.h"

#include "ui/toolkit/appearance.h"

#include <QScreen>
#include <QWidget>

namespace grimtally::ui {

void setUpFormWindow(QWidget* window, const QString& name, const QString& caption, int width,
                     int height)
{
    window->setObjectName(name);
    window->setWindowTitle(caption);
    window->setWindowIcon(applicationIcon());
    window->setFont(windowFont());
    window->setFixedSize(width, height);
}

void centreOnScreen(QWidget* window)
{
    const QScreen* shownOn = window->screen();
    if (shownOn == nullptr)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(shownOn->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace grimtally::ui
