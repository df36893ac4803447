// Several lines of text with a vertical scroll bar; lines go in and out as bytes.
#pragma once

#include "ui/toolkit/cp932text.h"

#include <QPlainTextEdit>

#include <string>
#include <vector>

namespace grimtally::ui {

class Memo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit Memo(QWidget* parent = nullptr);

    void setLines(const std::vector<std::string>& lines);
    // Split at newlines; no lines when the memo is empty, and the empty rest after a last
    // newline is no line ("a\n" is one line). Lines not changed since they were put in
    // give back their bytes.
    std::vector<std::string> lines() const;
    void appendLine(std::string_view line);

protected:
    // Typing, input-method text and pastes pass the code page 932 check of the one-line
    // inputs: refused when a character cannot be held, input-method forms mapped.
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    std::vector<ByteText> loaded_; // the lines put in, in order
};

} // namespace grimtally::ui
