// One-line edit box, and the read-only box (button-face background, skipped by Tab) that
// shows derived values.
#pragma once

#include "ui/toolkit/cp932text.h"

#include <QLineEdit>

namespace grimtally::ui {

class EditBox : public QLineEdit {
    Q_OBJECT
public:
    explicit EditBox(QWidget* parent = nullptr);

    // setText() emits changed() only when the text differs (QLineEdit's textChanged).
    void setBytes(std::string_view bytes);
    std::string bytes() const;

    // What leaving it for another control does: the exit handler runs.
    void leave() { Q_EMIT exited(); }

Q_SIGNALS:
    void changed(); // every change of the text, by the user or the program
    void exited();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    ByteText loaded_;
};

class ReadOnlyBox : public QLineEdit {
    Q_OBJECT
public:
    explicit ReadOnlyBox(QWidget* parent = nullptr);
};

} // namespace grimtally::ui
