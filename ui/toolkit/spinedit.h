// Spin edit: a free text with a minimum and maximum, read as an integer where a number is
// needed. Unlike QSpinBox it accepts any text, because the editor's rules rely on that.
#pragma once

#include "ui/toolkit/cp932text.h"

#include <QAbstractSpinBox>

namespace grimtally::ui {

class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    SpinEdit(QWidget* parent, int minimum, int maximum);

    QString text() const;
    void setText(const QString& text); // emits changed() only when the text differs

    // The text as an integer; anything else (empty, "1.5", overflow) reads as the minimum.
    int value() const;
    // Writes the decimal text of the value brought into range.
    void setValue(int value);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    // A new maximum (not below the minimum); a number above it comes down to it.
    void setMaximum(int maximum);

    // Record binding: the exact bytes loaded are given back while the text is unchanged.
    void setBytes(std::string_view bytes);
    std::string bytes() const;

    void stepBy(int steps) override; // arrows and Up/Down: by 1 within the range

    // What leaving it for another control does: the exit handler, then range keeping.
    void leave();

Q_SIGNALS:
    void changed(); // every change of the text, by the user or the program
    void exited();  // focus moved to another control of the window; before range keeping

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void keepInRange(); // an out-of-range number goes to the nearest bound

    int minimum_;
    int maximum_;
    ByteText loaded_;
};

} // namespace grimtally::ui
