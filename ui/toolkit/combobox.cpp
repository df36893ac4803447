#include "ui/toolkit/combobox.h"

#include "core/text/sjis.h"
#include "ui/toolkit/captionfit.h"
#include "ui/toolkit/cp932validator.h"
#include "ui/toolkit/focusexit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QStyleOptionComboBox>

#include <algorithm>
#include <limits>

namespace grimtally::ui {

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(NoInsert);
    // No completer: an inline completion would put letters into the box that the user never
    // typed, and the record would store them.
    setCompleter(nullptr);
    lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    setValidator(new Cp932Validator(this));

    connect(this, &QComboBox::activated, this, [this] {
        // QComboBox also "activates" an entry whose text was typed in full when editing
        // ends; the user typed that, and it was announced while typing.
        if (quiet_)
            return;
        typed_ = ByteText();
        Q_EMIT changed();
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, &ComboBox::changed);
    connect(lineEdit(), &QLineEdit::textChanged, this, &ComboBox::fitShownText);
}

void ComboBox::fitShownText()
{
    // The edit field's room as the style lays it out, less the line edit's own margins and
    // its cursor; the line edit itself is not placed before the box is shown.
    constexpr int kLineEditMargins = 2 * 2 + 1;
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const qreal room = field.width() - kLineEditMargins;
    const QString shown = lineEdit()->text();
    QFont unnarrowed = font();
    unnarrowed.setStretch(QFont::Unstretched);
    unnarrowed.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    // The line edit scrolls a text too long even so; the whole of it is in the tooltip.
    const FittedCaption fitted = fitCaption(unnarrowed, shown, room);
    if (fitted.font != lineEdit()->font())
        lineEdit()->setFont(fitted.font);
    lineEdit()->setToolTip(fitted.elided ? shown : QString());
}

void ComboBox::setEntries(const std::vector<std::string>& entries)
{
    const QString shown = text();
    clear();
    entryBytes_.clear();
    for (const std::string& entry : entries) {
        addItem(fromCp932(entry));
        entryBytes_.push_back(entry);
    }
    keepShownText(shown);
}

void ComboBox::setNumberedEntries(const std::vector<std::pair<std::string, int>>& entries)
{
    const QString shown = text();
    clear();
    entryBytes_.clear();
    for (const auto& [entry, number] : entries) {
        addItem(fromCp932(entry), number);
        entryBytes_.push_back(entry);
    }
    keepShownText(shown);
}

void ComboBox::insertEntry(int index, std::string_view entry)
{
    const QString shown = text();
    index = std::clamp(index, 0, count());
    insertItem(index, fromCp932(entry));
    entryBytes_.insert(entryBytes_.begin() + index, std::string(entry));
    keepShownText(shown);
}

void ComboBox::clearEntries()
{
    const QString shown = text();
    clear();
    entryBytes_.clear();
    keepShownText(shown);
}

std::string ComboBox::entryBytes(int index) const
{
    if (index < 0 || index >= static_cast<int>(entryBytes_.size()))
        return {};
    return entryBytes_[static_cast<std::size_t>(index)];
}

std::optional<int> ComboBox::entryNumber(int index) const
{
    const QVariant number = itemData(index);
    if (!number.isValid())
        return std::nullopt;
    return number.toInt();
}

int ComboBox::selectedIndex() const
{
    const QString shown = text();
    const int current = currentIndex();
    if (current >= 0 && itemText(current) == shown)
        return current;
    return exactEntry(shown);
}

void ComboBox::selectIndex(int index)
{
    typed_ = ByteText();
    if (index < 0 || index >= count()) {
        setCurrentIndex(-1);
        lineEdit()->setText(QString());
        return;
    }
    setCurrentIndex(index);
    // Also when the index was current already but the user had typed over its text.
    lineEdit()->setText(itemText(index));
}

int ComboBox::findEntry(std::string_view bytes) const
{
    for (std::size_t i = 0; i < entryBytes_.size(); ++i) {
        if (equalsIgnoringAsciiCase(entryBytes_[i], bytes))
            return static_cast<int>(i);
    }
    return -1;
}

void ComboBox::setText(const QString& text)
{
    typed_ = ByteText();
    showTyped(text);
}

void ComboBox::setBytes(std::string_view bytes)
{
    showTyped(typed_.set(bytes));
}

std::string ComboBox::bytes() const
{
    const QString shown = text();
    // Text put in by setBytes and not changed since keeps its bytes, even where an entry
    // shows the same characters under other codes.
    if (shown != typed_.text()) {
        const int index = selectedIndex();
        if (index >= 0)
            return entryBytes_[static_cast<std::size_t>(index)];
    }
    return typed_.bytesFor(shown);
}

void ComboBox::focusOutEvent(QFocusEvent* event)
{
    const bool leaving = focusMovesWithinWindow(this, event);
    {
        QScopedValueRollback<bool> quiet(quiet_, true);
        QComboBox::focusOutEvent(event);
    }
    if (leaving)
        leave();
}

void ComboBox::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QScopedValueRollback<bool> quiet(quiet_, quiet_ || enter);
    QComboBox::keyPressEvent(event);
}

int ComboBox::exactEntry(const QString& text) const
{
    for (int i = 0; i < count(); ++i) {
        if (itemText(i) == text)
            return i;
    }
    return -1;
}

void ComboBox::showTyped(const QString& text)
{
    // The current index follows the text, so the list opens on the matching entry.
    const int match = exactEntry(text);
    if (currentIndex() != match)
        setCurrentIndex(match);
    lineEdit()->setText(text);
}

void ComboBox::keepShownText(const QString& shown)
{
    // Changing the list leaves the text alone (QComboBox would show the first entry of a
    // list filled from empty, or clear the text).
    if (text() == shown)
        return;
    showTyped(shown);
}

} // namespace grimtally::ui
