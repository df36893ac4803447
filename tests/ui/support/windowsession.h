// A base for window tests: a folder of its own made the current one, scripted dialogs and
// the main window, which the test starts when it has put its files in place.
#pragma once

#include "tests/ui/support/scripteddialogs.h"
#include "tests/ui/support/workingfolder.h"
#include "ui/app/tform1.h"

#include <QByteArrayView>
#include <QString>

#include <memory>
#include <optional>

namespace grimtally::test {

// Derive the test class from QObject first and from this second; call openSession() in
// init() and closeSession() in cleanup().
class WindowSession {
public:
    WindowSession(const WindowSession&) = delete;
    WindowSession& operator=(const WindowSession&) = delete;

protected:
    WindowSession() = default;
    ~WindowSession();

    // A new folder as the current directory, and dialogs with nothing queued; false when the
    // folder cannot be made or entered.
    bool openSession();
    // Closes the windows, removes the dialogs, and leaves and removes the folder.
    virtual void closeSession();
    QString folderPath() const;
    // The full path of a file in the folder.
    QString path(const QString& name) const;

    // Creates and shows the main window, which reads its start-up files as it is made.
    void startMainWindow();

    // Writes the bytes to a file in the current directory; a failure fails the running test.
    static void writeFile(const QString& name, QByteArrayView bytes);

    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<ui::TForm1> form_;

private:
    std::optional<WorkingFolder> folder_;
};

} // namespace grimtally::test
