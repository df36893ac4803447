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
    std::vector<std::string> lines() const; // no lines when the memo is empty
    void appendLine(std::string_view line);
};

} // namespace grimtally::ui
