#include "ui/toolkit/formwindow.h"

#include "ui/toolkit/appearance.h"
#include "ui/toolkit/captionfit.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace grimtally::ui {

namespace {

// Fits the window's captions each time it is shown, when every control has its place and
// its words, whichever way they were set.
class CaptionFitter : public QObject {
public:
    explicit CaptionFitter(QWidget* window) : QObject(window)
    {
        setObjectName(QStringLiteral("CaptionFitter"));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched == parent())
            fitCaptions(static_cast<QWidget*>(watched));
        return false;
    }
};

} // namespace

void setUpFormWindow(QWidget* window, const QString& name, const QString& caption, int width,
                     int height)
{
    window->setObjectName(name);
    window->setWindowTitle(caption);
    window->setWindowIcon(applicationIcon());
    window->setFont(windowFont());
    window->setFixedSize(width, height);
    new CaptionFitter(window);
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
