// Every message box and file dialog goes through Dialogs, so tests can script the answers.
#pragma once

#include <QObject>
#include <QString>

#include <exception>
#include <functional>
#include <optional>

class QWidget;

namespace grimtally::ui {

enum class MessageIcon { Information, Question, Warning, Error };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Closing the box counts as Cancel (as Ok for a box with only Ok, as No for Yes and No).
    // `detail` is shown beneath the fixed text (line numbers, reasons), so the fixed text stays as
    // it is.
    virtual Answer ask(QWidget* parent, const QString& text, MessageIcon icon,
                       MessageButtons buttons, const QString& detail = QString()) = 0;
    // Nothing when the user cancels. `proposed` is the name (or path) filled in at the start.
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& title,
                                                const QString& proposed) = 0;
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& title,
                                                const QString& proposed,
                                                const QString& defaultSuffix) = 0;

    // The real dialogs, unless a test has installed others.
    static Dialogs& current();
    static void install(Dialogs* dialogs); // nullptr puts the real ones back
};

// The error box: the error icon, the text, OK.
void showError(QWidget* parent, const QString& text);

// Before writing over a file: true when `file` does not exist yet or the user answers OK to
// the overwrite question.
bool mayOverwrite(QWidget* parent, const QString& file);

// How the program words the exceptions it knows, in its own language; nothing for the others.
using ErrorWording = std::function<std::optional<QString>(const std::exception&)>;
// The program installs its wording once, before its windows; nullptr takes it out again.
void installErrorWording(ErrorWording wording);

// What the error box says for an exception: the installed wording, or else the exception's
// own text (the system's reasons, with the file name).
QString errorText(const std::exception& error);

// Runs one command; an exception ends it with the error box showing its text. What the
// command did before the failure stays done. Returns false when it failed.
bool runGuarded(QWidget* parent, const std::function<void()>& command);

// A file dialog object that remembers the name chosen last (OpenDialog, SaveDialog,
// OpenDialog1): the next showing proposes it again.
class FileDialog : public QObject {
    Q_OBJECT
public:
    enum class Kind { Open, Save };
    FileDialog(Kind kind, const QString& objectName, QObject* parent);

    QString fileName() const { return fileName_; }
    void setFileName(const QString& name) { fileName_ = name; }
    void setDefaultSuffix(const QString& suffix) { defaultSuffix_ = suffix; }
    void setTitle(const QString& title) { title_ = title; }

    // Shows the dialog; true when a file was chosen, which fileName() then holds.
    bool execute(QWidget* parent);

private:
    Kind kind_;
    QString fileName_;
    QString defaultSuffix_;
    QString title_;
};

} // namespace grimtally::ui
