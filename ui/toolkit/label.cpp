#include "ui/toolkit/label.h"

#include <QEvent>
#include <QFontMetricsF>

#include <algorithm>

namespace grimtally::ui {

namespace {

// How far a caption may be narrowed before it stops being pleasant to read.
constexpr int kNarrowestStretch = 80;
constexpr qreal kTightestLetterSpacing = -1.0;

} // namespace

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
    QFont fitted = font();
    fitted.setStretch(QFont::Unstretched);
    fitted.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    const auto widthIn = [this](const QFont& candidate) {
        return QFontMetricsF(candidate).horizontalAdvance(caption_);
    };
    for (int stretch = 95; stretch >= kNarrowestStretch && widthIn(fitted) > room_; stretch -= 5)
        fitted.setStretch(stretch);
    if (widthIn(fitted) > room_ && !caption_.isEmpty()) {
        const qreal spacing = (room_ - widthIn(fitted)) / caption_.size();
        fitted.setLetterSpacing(QFont::AbsoluteSpacing, std::max(spacing, kTightestLetterSpacing));
    }
    setFont(fitted);
    const bool fits = widthIn(fitted) <= room_;
    setText(fits ? caption_ : QFontMetrics(fitted).elidedText(caption_, Qt::ElideRight, room_));
    setToolTip(fits ? QString() : caption_);
    fitting_ = false;
}

void Label::place()
{
    if (room_ > 0 && anchor_ != Anchor::FixedCentred)
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
