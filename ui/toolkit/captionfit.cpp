#include "ui/toolkit/captionfit.h"

#include "ui/toolkit/label.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QFrame>
#include <QGroupBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

#include <algorithm>

namespace grimtally::ui {

namespace {

// How far a caption may be narrowed before it stops being pleasant to read.
constexpr int kNarrowestStretch = 80;
constexpr int kStretchStep = 5;
constexpr qreal kTightestLetterSpacing = -1.0;
// Fractional spacing lands a little off where it is aimed; aim this much short of the room.
constexpr qreal kRoundingAllowance = 0.25;

// A label keeps this far from the control beside it; a button's caption this far from its
// edges.
constexpr int kNeighbourGap = 3;
constexpr int kButtonPadding = 2;

// What a fitted control remembers, so that fitting again starts from the whole caption in
// the font it had before any narrowing.
const char* const kCaption = "grimtallyCaption";
const char* const kShown = "grimtallyShownCaption";
const char* const kBaseFont = "grimtallyBaseFont";

qreal widthWithMnemonic(const QFont& font, const QString& text)
{
    return QFontMetricsF(font).size(Qt::TextShowMnemonic, text).width();
}

// Fits a control's caption through its own setter, remembering the whole caption.
template <typename SetText>
void fitControl(QWidget* control, const QString& current, qreal room, SetText setText)
{
    QString caption = current;
    if (control->property(kShown).toString() == current && control->property(kCaption).isValid())
        caption = control->property(kCaption).toString();
    if (!control->property(kBaseFont).isValid())
        control->setProperty(kBaseFont, QVariant::fromValue(control->font()));
    const QFont base = qvariant_cast<QFont>(control->property(kBaseFont));

    const FittedCaption fitted = fitText(base, caption, room, [&](const QFont& candidate) {
        return widthWithMnemonic(candidate, caption);
    });
    if (fitted.font != control->font())
        control->setFont(fitted.font);
    if (fitted.text != current)
        setText(fitted.text);
    control->setToolTip(fitted.elided ? caption : QString());
    control->setProperty(kCaption, caption);
    control->setProperty(kShown, fitted.text);
}

// Children take their font from their parent; a narrowed group box title must not narrow
// the controls inside it.
void keepChildFonts(QWidget* box)
{
    for (QObject* object : box->children()) {
        if (auto* child = qobject_cast<QWidget*>(object)) {
            QFont own = child->font();
            own.setStretch(own.stretch());
            own.setLetterSpacing(own.letterSpacingType(), own.letterSpacing());
            child->setFont(own);
        }
    }
}

void fitButton(QAbstractButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    int padding = kButtonPadding;
    if (qobject_cast<QCheckBox*>(button)) {
        contents = QStyle::SE_CheckBoxContents;
        padding = 0;
    } else if (qobject_cast<QRadioButton*>(button)) {
        contents = QStyle::SE_RadioButtonContents;
        padding = 0;
    }
    const QRect face = button->style()->subElementRect(contents, &option, button);
    // A check box's face may end before its caption; its own width is the room.
    const int right = std::min(face.right(), button->width() - 1);
    const qreal room = right + 1 - face.left() - 2 * padding;
    fitControl(button, button->text(), room,
               [button](const QString& text) { button->setText(text); });
}

void fitGroupTitle(QGroupBox* box)
{
    if (box->title().isEmpty())
        return;
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect title =
        box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    // The title stands in from the left; it keeps as far from the right edge.
    const qreal room = box->width() - 2 * std::max(title.left(), 0);
    keepChildFonts(box);
    fitControl(box, box->title(), room, [box](const QString& text) { box->setTitle(text); });
}

// The room beside a label's anchored edge up to the nearest control on its row, or up to the
// inside of the frame or parent it stands in.
int neighbourRoom(const Label* label)
{
    const QWidget* parent = label->parentWidget();
    const QRect row = label->geometry();
    const bool growsLeft = label->anchor() == Label::Anchor::Right;
    const int edge = label->anchorEdge();
    const QRect inside = parent->contentsRect();
    int limit = growsLeft ? inside.left() : inside.right() + 1;
    for (QObject* object : parent->children()) {
        auto* sibling = qobject_cast<QWidget*>(object);
        if (!sibling || sibling == label || sibling->isHidden() || sibling->isWindow())
            continue;
        const QRect place = sibling->geometry();
        if (place.bottom() < row.top() || place.top() > row.bottom())
            continue;
        if (place.left() < edge && place.right() >= edge) {
            // A frame the label stands in: its inside is the limit. (A label on the next row
            // that only touches this one is a frame too, as QLabel is one; it limits nothing.)
            auto* frame = qobject_cast<const QFrame*>(sibling);
            if (frame && place.contains(row)) {
                const QRect frameInside = frame->contentsRect().translated(place.topLeft());
                limit = growsLeft ? std::max(limit, frameInside.left())
                                  : std::min(limit, frameInside.right() + 1);
            }
            continue;
        }
        if (growsLeft && place.right() < edge)
            limit = std::max(limit, place.right() + 1 + kNeighbourGap);
        else if (!growsLeft && place.left() >= edge)
            limit = std::min(limit, place.left() - kNeighbourGap);
    }
    return std::max(growsLeft ? edge - limit : limit - edge, 1);
}

} // namespace

QFont narrowedToFit(QFont font, qreal room, const std::function<qreal(const QFont&)>& widthIn)
{
    if (widthIn(font) <= room)
        return font;
    const int from = font.stretch() > 0 ? font.stretch() : int{QFont::Unstretched};
    for (int stretch = from - kStretchStep; stretch >= kNarrowestStretch; stretch -= kStretchStep) {
        font.setStretch(stretch);
        if (widthIn(font) <= room)
            return font;
    }
    // Letter spacing takes the rest, spread over the letters, as far as it may; how much one
    // pixel less per letter saves is measured, as the width may be of more than one caption.
    const qreal before =
        font.letterSpacingType() == QFont::AbsoluteSpacing ? font.letterSpacing() : 0.0;
    font.setLetterSpacing(QFont::AbsoluteSpacing, before);
    const qreal atBefore = widthIn(font);
    font.setLetterSpacing(QFont::AbsoluteSpacing, before - 1.0);
    const qreal perPixel = atBefore - widthIn(font);
    const qreal spacing = perPixel > 0
                              ? before - (atBefore - (room - kRoundingAllowance)) / perPixel
                              : kTightestLetterSpacing;
    font.setLetterSpacing(QFont::AbsoluteSpacing, std::max(spacing, kTightestLetterSpacing));
    return font;
}

FittedCaption fitText(const QFont& font, const QString& caption, qreal room,
                      const std::function<qreal(const QFont&)>& widthIn)
{
    FittedCaption fitted{narrowedToFit(font, room, widthIn), caption, false};
    if (widthIn(fitted.font) > room + kRoundingAllowance) {
        fitted.text = QFontMetricsF(fitted.font).elidedText(caption, Qt::ElideRight, room);
        fitted.elided = true;
    }
    return fitted;
}

FittedCaption fitCaption(const QFont& font, const QString& caption, qreal room)
{
    return fitText(font, caption, room, [&](const QFont& candidate) {
        return QFontMetricsF(candidate).horizontalAdvance(caption);
    });
}

void fitCaptions(QWidget* root)
{
    const QList<QWidget*> widgets = root->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (widget->isHidden() || widget->isWindow())
            continue;
        if (auto* label = qobject_cast<Label*>(widget)) {
            if (label->takesNeighbourRoom())
                label->setNeighbourRoom(neighbourRoom(label));
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            fitButton(button);
        } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
            fitGroupTitle(box);
        }
    }
}

} // namespace grimtally::ui
