// A base for editor window tests: the window session with the editor beside the main window,
// and reading and typing controls by name.
#pragma once

#include "tests/ui/support/windowsession.h"
#include "ui/editor/teditor1.h"

#include <QString>

#include <optional>

class QWidget;

namespace grimtally::test {

// Derive the test class from QObject first and from this second; call openSession() in
// init() and closeSession() in cleanup(). The windows are members the test may also build
// in an order of its own.
class EditorSession : public WindowSession {
protected:
    EditorSession() = default;
    ~EditorSession();

    void closeSession() override;
    // openSession(), the test choice file put in the folder, and the windows made reading it;
    // false when a step fails.
    bool openWithTestChoices();

    // Creates the main window and the editor; the editor's start-up load opens `choiceFile`,
    // or is cancelled when there is none.
    void createWindows(std::optional<QString> choiceFile = QStringLiteral("Choices.txt"));
    // Opens the editor on a row of the main window's list (0 is the new-entry row); false
    // when the editor does not become active.
    bool openRow(int row);

    // The editor's control of that name, or nullptr.
    QWidget* control(const QString& name) const;
    // The text of a spin edit, combo box or line edit; empty for anything else.
    QString text(const QString& name) const;
    static QString textOf(QWidget* control);

    // The user replaces the text of a control (for a combo box: types an entry's text) and
    // stays in it; leave() tabs out of it, which runs its exit handling.
    void enter(const QString& name, const QString& value);
    static void enter(QWidget* control, const QString& value);
    void leave(const QString& name);

    std::unique_ptr<ui::TEditor1> editor_;
};

} // namespace grimtally::test
