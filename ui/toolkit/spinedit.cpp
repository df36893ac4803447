#include "ui/toolkit/spinedit.h"

#include "core/text/numbers.h"
#include "ui/toolkit/cp932validator.h"
#include "ui/toolkit/focusexit.h"

#include <QFocusEvent>
#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace grimtally::ui {

namespace {

std::optional<int> readText(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return readInteger(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

// -1 or +1 for a whole number too long for an int (its sign), 0 for anything else. Such a
// number is still out of range and goes to the nearest bound on leaving.
int overflowSign(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == u' ')
        ++i;
    int sign = 1;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-')) {
        sign = text.at(i) == u'-' ? -1 : 1;
        ++i;
    }
    if (i == text.size())
        return 0;
    for (; i < text.size(); ++i) {
        if (text.at(i) < u'0' || text.at(i) > u'9')
            return 0;
    }
    return sign;
}

} // namespace

SpinEdit::SpinEdit(QWidget* parent, int minimum, int maximum)
    : QAbstractSpinBox(parent), minimum_(std::min(minimum, maximum)),
      maximum_(std::max(minimum, maximum))
{
    // QAbstractSpinBox's own value logic (interpretation, correction, fixup) stays idle
    // without a value type, so it never replaces the text; this class does all of that.
    lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    lineEdit()->setText(QString::number(minimum_));
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] {
        update(); // the arrows' enabled look follows the value
        Q_EMIT changed();
    });
}

QString SpinEdit::text() const
{
    return lineEdit()->text();
}

void SpinEdit::setText(const QString& text)
{
    lineEdit()->setText(text);
}

int SpinEdit::value() const
{
    return readText(text()).value_or(minimum_);
}

void SpinEdit::setValue(int value)
{
    setText(QString::number(std::clamp(value, minimum_, maximum_)));
}

void SpinEdit::setBytes(std::string_view bytes)
{
    setText(loaded_.set(bytes));
}

std::string SpinEdit::bytes() const
{
    return loaded_.bytesFor(text());
}

void SpinEdit::stepBy(int steps)
{
    if (isReadOnly() || steps == 0)
        return;
    const long long target = static_cast<long long>(value()) + steps;
    setValue(static_cast<int>(std::clamp<long long>(target, minimum_, maximum_)));
    selectAll();
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const
{
    if (isReadOnly() || !isEnabled())
        return StepNone;
    const int current = value();
    StepEnabled enabled = StepNone;
    if (current < maximum_)
        enabled |= StepUpEnabled;
    if (current > minimum_)
        enabled |= StepDownEnabled;
    return enabled;
}

QValidator::State SpinEdit::validate(QString& input, int& /*pos*/) const
{
    return checkCp932(input);
}

void SpinEdit::fixup(QString& /*input*/) const
{
    // Free text: nothing is ever corrected while typing.
}

void SpinEdit::focusOutEvent(QFocusEvent* event)
{
    const bool leaving = focusMovesWithinWindow(this, event);
    QAbstractSpinBox::focusOutEvent(event);
    if (leaving)
        leave();
}

void SpinEdit::leave()
{
    Q_EMIT exited();
    keepInRange();
}

void SpinEdit::setMaximum(int maximum)
{
    maximum_ = std::max(minimum_, maximum);
    if (const std::optional<int> number = readText(text()); number && *number > maximum_)
        setValue(maximum_);
    update();
}

void SpinEdit::keepInRange()
{
    const QString current = text();
    if (const std::optional<int> number = readText(current)) {
        if (*number < minimum_)
            setValue(minimum_);
        else if (*number > maximum_)
            setValue(maximum_);
        return;
    }
    if (const int sign = overflowSign(current))
        setValue(sign < 0 ? minimum_ : maximum_);
}

} // namespace grimtally::ui
