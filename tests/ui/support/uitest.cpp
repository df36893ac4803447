#include "tests/ui/support/uitest.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

namespace grimtally::test {

bool showActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

void typeInto(QWidget* widget, const QString& text)
{
    widget->setFocus(Qt::OtherFocusReason);
    // QTest::keyClicks takes Latin-1 only; other characters (a character beyond the first
    // plane as one event, as an input method delivers it) go as key events with text.
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        const qsizetype length =
            c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        if (length == 1 && c.unicode() < 0x80)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, length),
                                Qt::NoModifier);
        i += length;
    }
}

void pressTab(QWidget* widget)
{
    QTest::keyClick(widget, Qt::Key_Tab);
}

void clearText(QWidget* widget)
{
    widget->setFocus(Qt::OtherFocusReason);
    if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
        memo->selectAll();
    } else {
        QLineEdit* edit = qobject_cast<QLineEdit*>(widget);
        if (!edit)
            edit = widget->findChild<QLineEdit*>();
        if (!edit)
            return;
        edit->selectAll();
    }
    QTest::keyClick(widget, Qt::Key_Backspace);
}

} // namespace grimtally::test
