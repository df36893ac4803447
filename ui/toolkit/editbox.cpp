#include "ui/toolkit/editbox.h"

#include "ui/toolkit/cp932validator.h"
#include "ui/toolkit/focusexit.h"

#include <QFocusEvent>

#include <limits>

namespace grimtally::ui {

EditBox::EditBox(QWidget* parent) : QLineEdit(parent)
{
    // QLineEdit would cut a longer field at 32767 characters, and saving would lose the rest.
    setMaxLength(std::numeric_limits<int>::max());
    setValidator(new Cp932Validator(this));
    connect(this, &QLineEdit::textChanged, this, &EditBox::changed);
}

void EditBox::setBytes(std::string_view bytes)
{
    setText(loaded_.set(bytes));
}

std::string EditBox::bytes() const
{
    return loaded_.bytesFor(text());
}

void EditBox::focusOutEvent(QFocusEvent* event)
{
    const bool leaving = focusMovesWithinWindow(this, event);
    QLineEdit::focusOutEvent(event);
    if (leaving)
        leave();
}

ReadOnlyBox::ReadOnlyBox(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    setMaxLength(std::numeric_limits<int>::max());
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Button));
    setPalette(colours);
}

} // namespace grimtally::ui
