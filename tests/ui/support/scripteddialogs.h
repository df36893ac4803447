// Scripted message boxes and file dialogs for window tests: every question and file dialog
// is recorded and answered from a queue, and nothing ever waits for a person.
#pragma once

#include "ui/toolkit/dialogs.h"

#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

namespace grimtally::test {

// Installs itself on construction and puts the previous dialogs back on destruction.
// An empty queue, or an answer that is not one of the box's buttons, fails the running test
// (and answers Cancel or "no file"); so does an answer left unused at the end.
class ScriptedDialogs : public ui::Dialogs {
public:
    struct Question {
        QString text;
        ui::MessageIcon icon;
        ui::MessageButtons buttons;
        QString detail;
    };
    enum class FileKind { Open, Save };
    struct FileRequest {
        FileKind kind;
        QString title;
        QString proposed;
        QString defaultSuffix;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void answer(ui::Answer answer) { answers.push_back(answer); }
    void chooseFile(const QString& fileName) { fileNames.emplace_back(fileName); }
    void cancelFile() { fileNames.emplace_back(std::nullopt); }

    std::deque<ui::Answer> answers;
    std::deque<std::optional<QString>> fileNames; // nullopt: the user cancels
    std::vector<Question> questions;
    std::vector<FileRequest> fileRequests;

    // What went wrong in the script, in order. With `strict` off nothing fails the test and
    // a test of its own can look here.
    QStringList unexpected;
    bool strict = true;

    ui::Answer ask(QWidget* parent, const QString& text, ui::MessageIcon icon,
                   ui::MessageButtons buttons, const QString& detail = QString()) override;
    std::optional<QString> openFileName(QWidget* parent, const QString& title,
                                        const QString& proposed) override;
    std::optional<QString> saveFileName(QWidget* parent, const QString& title,
                                        const QString& proposed,
                                        const QString& defaultSuffix) override;

private:
    std::optional<QString> nextFile(FileKind kind, const QString& title, const QString& proposed,
                                    const QString& defaultSuffix);
    void fail(const QString& what);

    ui::Dialogs* previous_;
};

} // namespace grimtally::test
