#include "ui/toolkit/cp932validator.h"

#include "ui/toolkit/cp932text.h"

namespace grimtally::ui {

void mapInputMethodForms(QString& text)
{
    for (QChar& c : text) {
        switch (c.unicode()) {
        case 0x301C: // WAVE DASH
            c = QChar(0xFF5E);
            break;
        case 0x2212: // MINUS SIGN
            c = QChar(0xFF0D);
            break;
        case 0x2016: // DOUBLE VERTICAL LINE
            c = QChar(0x2225);
            break;
        case 0x00A2: // CENT SIGN
            c = QChar(0xFFE0);
            break;
        case 0x00A3: // POUND SIGN
            c = QChar(0xFFE1);
            break;
        case 0x00AC: // NOT SIGN
            c = QChar(0xFFE2);
            break;
        default:
            break;
        }
    }
}

QValidator::State checkCp932(QString& input)
{
    mapInputMethodForms(input);
    // Code page 932 holds no character beyond the first plane; keys and input methods may
    // deliver such a character's two halves one at a time.
    for (const QChar c : input) {
        if (c.isSurrogate())
            return QValidator::Invalid;
    }
    QString probe = input;
    probe.remove(QChar(QChar::ReplacementCharacter));
    return toCp932(probe) ? QValidator::Acceptable : QValidator::Invalid;
}

Cp932Validator::Cp932Validator(QObject* parent) : QValidator(parent)
{}

QValidator::State Cp932Validator::validate(QString& input, int& /*pos*/) const
{
    return checkCp932(input);
}

} // namespace grimtally::ui
