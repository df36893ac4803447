// A base for editor window tests: a folder of its own made the current one, scripted
// dialogs, the main window with its editor, and reading and typing controls by name.
#pragma once

#include "tests/ui/support/scripteddialogs.h"
#include "tests/ui/support/workingfolder.h"
#include "ui/app/tform1.h"
#include "ui/editor/teditor1.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class QWidget;

namespace grimtally::test {

// Derive the test class from QObject first and from this second; call openSession() in
// init() and closeSession() in cleanup(). The windows are members the test may also build
// in an order of its own.
class EditorSession {
public:
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

protected:
    EditorSession() = default;
    ~EditorSession();

    // A new folder as the current directory, and dialogs with nothing queued; false when the
    // folder cannot be made or entered.
    bool openSession();
    // Closes the windows, removes the dialogs, and leaves and removes the folder.
    void closeSession();
    QString folderPath() const;

    // Writes the bytes to a file in the current directory; a failure fails the running test.
    static void writeFile(const QString& name, const QByteArray& bytes);

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

    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<ui::TForm1> form_;
    std::unique_ptr<ui::TEditor1> editor_;

private:
    std::optional<WorkingFolder> folder_;
};

} // namespace grimtally::test
