#include "ui/toolkit/linklabel.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

namespace grimtally::ui {

LinkLabel::LinkLabel(QWidget* parent, const QString& objectName, int right, int top,
                     const QString& address)
    : Label(parent, objectName, Anchor::Right, right, top)
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setColour(restingColour());
    setCaption(address);
}

void LinkLabel::MouseEnter()
{
    setColour(hoverColour());
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::MouseLeave()
{
    setColour(restingColour());
    unsetCursor();
}

void LinkLabel::Click()
{
    QDesktopServices::openUrl(QUrl(caption())); // the text shown may be elided
}

void LinkLabel::enterEvent(QEnterEvent* event)
{
    Label::enterEvent(event);
    MouseEnter();
}

void LinkLabel::leaveEvent(QEvent* event)
{
    Label::leaveEvent(event);
    MouseLeave();
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
}

// A click is a press and a release on the link, as a button has it: dragging off cancels.
void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        Click();
}

void LinkLabel::setColour(const QColor& colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
}

} // namespace grimtally::ui
