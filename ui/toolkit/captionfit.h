// Captions that keep to their room. The forms were drawn with the Windows font; the fonts at
// hand elsewhere are wider, and the user's words may be longer than the form's. A caption wider
// than its room is narrowed (font stretch, then letter spacing, within limits that keep it
// readable) and, if still too wide, elided with the whole caption as its control's tooltip.
#pragma once

#include <QFont>
#include <QString>

#include <functional>

class QWidget;

namespace grimtally::ui {

// The least narrowed form of `font` in which `widthIn(font)` is at most `room`, or the
// narrowest allowed when none is. Stretch and letter spacing of `font` are its starting point.
QFont narrowedToFit(QFont font, qreal room, const std::function<qreal(const QFont&)>& widthIn);

struct FittedCaption {
    QFont font;
    QString text; // the caption, or its elided form
    bool elided = false;
};
// The one fitting of a caption: `font` narrowed until the caption's `widthIn` keeps to
// `room` (within a small allowance for fractional spacing), and elided when even the
// narrowest font is too wide.
FittedCaption fitText(const QFont& font, const QString& caption, qreal room,
                      const std::function<qreal(const QFont&)>& widthIn);
// The same for a plain line of text.
FittedCaption fitCaption(const QFont& font, const QString& caption, qreal room);

// Fits the caption of every visible label, button, check box, radio item and group box title
// below `root` into its room: a button's, check box's or radio item's own face, a group box's
// width, a label's room up to its neighbours (or the room it was given). Safe to run again;
// a caption changed since the last run is taken whole.
void fitCaptions(QWidget* root);

} // namespace grimtally::ui
