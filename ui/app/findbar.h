// The find bar under the main list: the words typed into it narrow the list as they are
// typed, and the count beside it says how many enemies are left. The main window does the
// filtering; the bar only takes the words and the keys.
#pragma once

#include <QWidget>

#include <string>

class QLabel;
class QLineEdit;
class QShortcut;
class QToolButton;

namespace grimtally::ui {

class FindBar : public QWidget {
    Q_OBJECT
public:
    explicit FindBar(QWidget* parent = nullptr);

    QLabel* Find_L = nullptr;
    QLineEdit* Find_O = nullptr;
    QLabel* FindCount_L = nullptr; // "N of M enemies" while words are typed
    QToolButton* B_FindClose = nullptr;

    // Shows the bar and puts the focus into it, its words selected.
    void open();
    // Empties and hides the bar; the list shows every enemy again.
    void close();
    // The count beside the bar; `shown` below 0 shows none.
    void showCount(int shown, int total);
    // What was typed, as code page 932 bytes. A replacement character (what a byte that is
    // no character looks like in a cell) parts words, as it cannot be typed as the byte.
    std::string typedBytes() const;

Q_SIGNALS:
    void changed(); // the words changed
    void closed();  // Escape or the close button hid the bar
    void toList();  // Enter or Down: on to the rows

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Empties and hides the bar as the user asked: close(), then closed().
    void dismiss();

    QShortcut* escape_ = nullptr;
};

} // namespace grimtally::ui
