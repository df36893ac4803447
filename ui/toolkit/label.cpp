#include "ui/toolkit/label.h"

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
    setText(caption);
    place();
}

void Label::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        place(); // the caption's width changes with the font
}

void Label::place()
{
    if (anchor_ == Anchor::FixedCentred) {
        setGeometry(x_, top_, fixedWidth_, fixedHeight_);
        return;
    }
    adjustSize();
    const int left = anchor_ == Anchor::Right ? x_ - width() : x_;
    setGeometry(left, top_, width(), height());
}

} // namespace grimtally::ui
