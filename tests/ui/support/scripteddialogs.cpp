#include "tests/ui/support/scripteddialogs.h"

#include <QTest>

namespace grimtally::test {

using namespace Qt::StringLiterals;

namespace {

bool offers(ui::MessageButtons buttons, ui::Answer answer)
{
    switch (buttons) {
    case ui::MessageButtons::Ok:
        return answer == ui::Answer::Ok;
    case ui::MessageButtons::OkCancel:
        return answer == ui::Answer::Ok || answer == ui::Answer::Cancel;
    case ui::MessageButtons::YesNo:
        return answer == ui::Answer::Yes || answer == ui::Answer::No;
    case ui::MessageButtons::YesNoCancel:
        return answer != ui::Answer::Ok;
    }
    return false;
}

} // namespace

ScriptedDialogs::ScriptedDialogs() : previous_(&ui::Dialogs::current())
{
    ui::Dialogs::install(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    ui::Dialogs::install(previous_);
    if (!answers.empty())
        fail(u"%1 scripted answer(s) were never asked for"_s.arg(answers.size()));
    if (!fileNames.empty())
        fail(u"%1 scripted file name(s) were never asked for"_s.arg(fileNames.size()));
}

ui::Answer ScriptedDialogs::ask(QWidget* /*parent*/, const QString& text, ui::MessageIcon icon,
                                ui::MessageButtons buttons, const QString& detail)
{
    questions.push_back({text, icon, buttons, detail});
    if (answers.empty()) {
        fail(u"unexpected message box: "_s + text);
        return ui::Answer::Cancel;
    }
    const ui::Answer answer = answers.front();
    answers.pop_front();
    if (!offers(buttons, answer)) {
        fail(u"scripted answer is not a button of the box: "_s + text);
        return ui::Answer::Cancel;
    }
    return answer;
}

std::optional<QString> ScriptedDialogs::openFileName(QWidget* /*parent*/, const QString& title,
                                                     const QString& proposed)
{
    return nextFile(FileKind::Open, title, proposed, QString());
}

std::optional<QString> ScriptedDialogs::saveFileName(QWidget* /*parent*/, const QString& title,
                                                     const QString& proposed,
                                                     const QString& defaultSuffix)
{
    return nextFile(FileKind::Save, title, proposed, defaultSuffix);
}

std::optional<QString> ScriptedDialogs::nextFile(FileKind kind, const QString& title,
                                                 const QString& proposed,
                                                 const QString& defaultSuffix)
{
    fileRequests.push_back({kind, title, proposed, defaultSuffix});
    if (fileNames.empty()) {
        fail(u"unexpected file dialog proposing "_s + proposed);
        return std::nullopt;
    }
    // Moved out rather than copied: GCC 12 at -O2 mistakes a copied optional QString for an
    // uninitialised one.
    const bool chosen = fileNames.front().has_value();
    QString name = chosen ? std::move(*fileNames.front()) : QString();
    fileNames.pop_front();
    if (!chosen)
        return std::nullopt;
    return name;
}

void ScriptedDialogs::fail(const QString& what)
{
    unexpected.push_back(what);
    if (!strict)
        return;
    qWarning("ScriptedDialogs: %s", qUtf8Printable(what));
    // One failure per test function is enough; QtTest records no second one.
    if (QTest::currentTestFunction() && !QTest::currentTestFailed())
        QTest::qFail(qUtf8Printable(what), __FILE__, __LINE__);
}

} // namespace grimtally::test
