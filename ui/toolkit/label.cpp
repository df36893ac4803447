#include "ui/toolkit/label.h"

#include "ui/toolkit/captionfit.h"

#include <QEvent>

namespace grimtally::ui {

Label::Label(QWidget* parent, const QString& objectName, Anchor anchor, int x, int top,
             int fixedWidth, int fixedHeight)
    : QLabel(parent), anchor_(anchor), x_(x), top_(top), fixedWidth_(fixedWidth),
      fixedHeight_(fixedHeight)
{
    setObjectName(objectName);
    // Captions come from the user's word files; a '<' must not turn them into rich text.
    setTextFormat(Qt::PlainText);
    if (anchor_ == Anchor::FixedCentred)
        setAlignment(Qt::AlignCenter);
    else if (anchor_ == Anchor::Right)
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place();
    // Inputs that share room with a label (the dice labels' blank stretch) are drawn on top.
    lower();
}

void Label::setCaption(const QString& caption)
{
    caption_ = caption;
    setText(caption);
    place();
}

void Label::setRoom(int room)
{
    roomKind_ = RoomKind::Given;
    room_ = room;
    place();
}

void Label::keepOwnFont()
{
    roomKind_ = RoomKind::OwnFont;
    room_ = 0;
}

void Label::setNeighbourRoom(int room)
{
    if (roomKind_ != RoomKind::Neighbours || room == room_)
        return;
    room_ = room;
    place();
}

void Label::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && !fitting_)
        place(); // the caption's width changes with the font
}

void Label::fitIntoRoom()
{
    fitting_ = true;
    QFont unnarrowed = font();
    unnarrowed.setStretch(QFont::Unstretched);
    unnarrowed.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    const FittedCaption fitted = fitCaption(unnarrowed, caption_, room_);
    setFont(fitted.font);
    setText(fitted.text);
    setToolTip(fitted.elided ? caption_ : QString());
    fitting_ = false;
}

void Label::place()
{
    if (anchor_ == Anchor::FixedCentred && roomKind_ != RoomKind::OwnFont)
        room_ = fixedWidth_;
    if (room_ > 0 && roomKind_ != RoomKind::OwnFont)
        fitIntoRoom();
    if (anchor_ == Anchor::FixedCentred) {
        setGeometry(x_, top_, fixedWidth_, fixedHeight_);
        return;
    }
    adjustSize();
    const int left = anchor_ == Anchor::Right ? x_ - width() : x_;
    setGeometry(left, top_, width(), height());
}

} // namespace grimtally::ui
