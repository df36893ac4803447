// Editable drop-down list: entries that may carry an integer, selection by index from the
// program without a change notification, case-insensitive lookup of entries.
#pragma once

#include "ui/toolkit/cp932text.h"

#include <QComboBox>

#include <optional>
#include <string>
#include <vector>

namespace grimtally::ui {

class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr);

    // Entries are code page 932 bytes; numbered entries carry their entry number. Changing
    // the entries leaves the shown text as it is.
    void setEntries(const std::vector<std::string>& entries);
    void setNumberedEntries(const std::vector<std::pair<std::string, int>>& entries);
    void insertEntry(int index, std::string_view entry);
    void clearEntries();
    int entryCount() const { return count(); }
    std::string entryBytes(int index) const;
    std::optional<int> entryNumber(int index) const; // nothing for an entry without number

    // The entry the box stands on: the current entry when the shown text is its text, else
    // the first entry whose text equals the shown text exactly; -1 for typed text.
    int selectedIndex() const;
    // Selection from the program: shows the entry and emits nothing. -1 clears the text.
    void selectIndex(int index);
    // First entry equal to the bytes with ASCII letters folded; -1 if none.
    int findEntry(std::string_view bytes) const;

    QString text() const { return currentText(); }
    void setText(const QString& text); // typed text from the program; emits nothing
    void setBytes(std::string_view bytes);
    std::string bytes() const;

    // What leaving it for another control does: the exit handler runs.
    void leave() { Q_EMIT exited(); }

Q_SIGNALS:
    void changed(); // the user picked an entry or typed; never for a program selection
    void exited();  // focus moved to another control of the same window

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Narrows the shown text when it is wider than the box, as captions are narrowed.
    void fitShownText();
    int exactEntry(const QString& text) const;
    void showTyped(const QString& text);
    void keepShownText(const QString& shown);

    std::vector<std::string> entryBytes_;
    ByteText typed_;
    bool quiet_ = false; // while Qt re-activates an entry the user typed
};

} // namespace grimtally::ui
