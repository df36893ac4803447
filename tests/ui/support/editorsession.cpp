#include "tests/ui/support/editorsession.h"

#include "tests/ui/support/uitest.h"
#include "ui/toolkit/combobox.h"
#include "ui/toolkit/spinedit.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace grimtally::test {

QString EditorSession::textOf(QWidget* control)
{
    if (auto* spin = qobject_cast<ui::SpinEdit*>(control))
        return spin->text();
    if (auto* box = qobject_cast<ui::ComboBox*>(control))
        return box->text();
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    return QString();
}

EditorSession::~EditorSession()
{
    EditorSession::closeSession();
}

void EditorSession::closeSession()
{
    editor_.reset(); // it works on the main window, so it goes first
    WindowSession::closeSession();
}

bool EditorSession::openWithTestChoices()
{
    if (!openSession() || !QFile::copy(QStringLiteral(GRIMTALLY_TEST_DATA "/editor/Choices.txt"),
                                       QStringLiteral("Choices.txt")))
        return false;
    createWindows();
    return dialogs_->fileNames.empty();
}

void EditorSession::createWindows(std::optional<QString> choiceFile)
{
    dialogs_->fileNames.push_back(std::move(choiceFile));
    startMainWindow();
    editor_ = std::make_unique<ui::TEditor1>(*form_);
    form_->setEditor(editor_.get());
}

bool EditorSession::openRow(int row)
{
    form_->selectRow(row);
    form_->ListView1DblClick();
    return QTest::qWaitForWindowActive(editor_.get());
}

QWidget* EditorSession::control(const QString& name) const
{
    return editor_ ? editor_->findChild<QWidget*>(name) : nullptr;
}

QString EditorSession::text(const QString& name) const
{
    return textOf(control(name));
}

void EditorSession::enter(const QString& name, const QString& value)
{
    QWidget* target = control(name);
    QVERIFY2(target, qPrintable(name));
    enter(target, value);
}

void EditorSession::enter(QWidget* control, const QString& value)
{
    clearText(control);
    typeInto(control, value);
}

void EditorSession::leave(const QString& name)
{
    pressTab(control(name));
}

} // namespace grimtally::test
