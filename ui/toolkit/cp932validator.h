// The input check shared by every text input: code page 932 characters only, with the
// input-method forms of a few characters replaced by the forms the code page holds.
#pragma once

#include <QValidator>

namespace grimtally::ui {

// Replaces, in place, the characters Linux input methods produce (wave dash, minus sign,
// double vertical line, cent, pound, not sign) by the full-width forms code page 932 holds.
void mapInputMethodForms(QString& text);

// Acceptable when code page 932 can hold the text (after the mapping above), else Invalid,
// so the keystroke or paste that brought the character in is refused. U+FFFD passes: it is
// what a byte of the file that does not decode looks like, and refusing it would lock the
// whole text against editing.
QValidator::State checkCp932(QString& input);

class Cp932Validator : public QValidator {
    Q_OBJECT
public:
    explicit Cp932Validator(QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;
};

} // namespace grimtally::ui
