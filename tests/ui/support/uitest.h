// Small helpers for driving windows in QtTest programs: find controls by name, type into
// them, clear them and leave them with Tab as a user would.
#pragma once

#include <QObject>
#include <QString>
#include <QTest>

class QWidget;

namespace grimtally::test {

// The descendant of `root` with that objectName and type, or nullptr (with a warning that
// names what was missing). Use through GT_FIND in test functions.
template <typename T> T* findByName(const QObject* root, const QString& name)
{
    T* found = root ? root->findChild<T*>(name) : nullptr;
    if (!found)
        qWarning("no %s named \"%s\"", T::staticMetaObject.className(), qUtf8Printable(name));
    return found;
}

// Shows the window and waits until it is active, so focus and Tab work; false on timeout.
bool showActive(QWidget* window);

// Focuses the control and types the text key by key; any characters.
void typeInto(QWidget* widget, const QString& text);
// Tab from the control, as the user leaves it.
void pressTab(QWidget* widget);
// Selects everything in the control and deletes it with Backspace.
void clearText(QWidget* widget);

} // namespace grimtally::test

// Declares `var` as the child of `root` named `name` and ends the test function if missing.
#define GT_FIND(Type, var, root, name)                                                             \
    Type* var = ::grimtally::test::findByName<Type>((root), (name));                               \
    QVERIFY2(var != nullptr, "control not found by name")
