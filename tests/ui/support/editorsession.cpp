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
    closeSession();
}

bool EditorSession::openSession()
{
    closeSession();
    dialogs_ = std::make_unique<ScriptedDialogs>();
    return folder_.emplace().isValid();
}

void EditorSession::closeSession()
{
    editor_.reset();
    form_.reset();
    dialogs_.reset();
    folder_.reset();
}

QString EditorSession::folderPath() const
{
    return folder_ ? folder_->path() : QString();
}

void EditorSession::writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void EditorSession::createWindows(std::optional<QString> choiceFile)
{
    dialogs_->fileNames.push_back(std::move(choiceFile));
    form_ = std::make_unique<ui::TForm1>();
    form_->show();
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
