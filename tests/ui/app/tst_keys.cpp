// The program from the keyboard, through real key events on the focused widget: Enter and F2
// open the selected row in the editor, Delete deletes it with the question, Escape is the
// editor's Cancel, and the file commands and the About box have their keys.
#include "tests/ui/support/scripteddialogs.h"
#include "tests/ui/support/uitest.h"
#include "tests/ui/support/workingfolder.h"
#include "ui/about/taboutbox.h"
#include "ui/app/programwindows.h"
#include "ui/app/tform1.h"
#include "ui/editor/teditor1.h"
#include "ui/toolkit/cp932text.h"
#include "ui/toolkit/editbox.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

#include <optional>

using namespace Qt::StringLiterals;
using namespace grimtally;
using grimtally::test::ScriptedDialogs;
using grimtally::ui::Answer;

class KeysTest : public QObject {
    Q_OBJECT

private:
    std::optional<test::WorkingFolder> folder_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    ui::ProgramWindows windows_;

    ui::TForm1& form() { return *windows_.form1; }
    ui::TEditor1& editor() { return *windows_.editor1; }
    // Presses the key where the keyboard focus is, as a user would.
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused != nullptr);
        QTest::keyClick(focused, static_cast<Qt::Key>(key), modifiers);
    }
    // The list has the focus with `row` selected.
    void focusRow(int row)
    {
        QVERIFY(test::showActive(&form()));
        form().ListView1->setFocus();
        form().selectRow(row);
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(folder_.emplace().isValid());
        const QString shipped = QStringLiteral(GRIMTALLY_SHIPPED_DATA "/ja/");
        for (const QString& file : {u"Choices.txt"_s, u"Sample.txt"_s})
            QFile::copy(shipped + file, folder_->filePath(file));
        dialogs_ = std::make_unique<ScriptedDialogs>();
        dialogs_->chooseFile(folder_->filePath(u"Choices.txt"_s));
        windows_ = ui::createProgramWindows();
        dialogs_->chooseFile(folder_->filePath(u"Sample.txt"_s));
        form().Menu_OpenClick();
        QVERIFY(form().store().recordCount() >= 3);
    }
    void cleanup()
    {
        windows_ = {};
        dialogs_.reset();
        folder_.reset();
    }

    void enterAndF2OpenTheSelectedRow_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("row");
        QTest::newRow("Return") << int(Qt::Key_Return) << 2;
        QTest::newRow("Enter") << int(Qt::Key_Enter) << 3;
        QTest::newRow("F2") << int(Qt::Key_F2) << 1;
        QTest::newRow("Return, new-entry row") << int(Qt::Key_Return) << 0;
        QTest::newRow("F2, new-entry row") << int(Qt::Key_F2) << 0;
    }
    void enterAndF2OpenTheSelectedRow()
    {
        QFETCH(int, key);
        QFETCH(int, row);
        focusRow(row);
        press(key);
        QVERIFY(editor().isVisible() && !form().isEnabled());
        const QString name = row == 0 ? QString() : ui::fromCp932(form().store().name(row));
        QCOMPARE(editor().Name_O->text(), name);
    }

    void escapeIsCancelAndDeleteAsksFirst()
    {
        focusRow(2);
        const QString name = ui::fromCp932(form().store().name(2));
        dialogs_->answer(Answer::Cancel);
        press(Qt::Key_Delete);
        QVERIFY(dialogs_->questions.back().text.startsWith(name + u"を削除します。"_s));
        focusRow(0); // the new-entry row is neither deleted nor asked about
        press(Qt::Key_Delete);
        QCOMPARE(dialogs_->questions.size(), 1u);

        press(Qt::Key_Return);
        QVERIFY(test::showActive(&editor()));
        dialogs_->answer(Answer::Cancel); // what the Cancel button asks, Escape asks
        editor().B_Cancel->click();
        dialogs_->answers = {Answer::Cancel, Answer::Ok};
        press(Qt::Key_Escape);
        QVERIFY(editor().isVisible());
        QCOMPARE(dialogs_->questions.back().text, dialogs_->questions.at(1).text);
        press(Qt::Key_Escape);
        QCOMPARE(dialogs_->questions.size(), 4u);
        QVERIFY(!editor().isVisible() && form().isEnabled());
    }

    void fileCommandsAndAboutHaveTheirKeys()
    {
        const QKeyCombination fileKeys[] = {Qt::CTRL | Qt::Key_O, Qt::CTRL | Qt::Key_M,
                                            Qt::CTRL | Qt::SHIFT | Qt::Key_S, Qt::CTRL | Qt::Key_S};
        for (const QKeyCombination key : fileKeys) {
            focusRow(1);
            const std::size_t asked = dialogs_->fileRequests.size();
            dialogs_->cancelFile();
            press(key.key(), key.keyboardModifiers());
            QCOMPARE(dialogs_->fileRequests.size(), asked + 1);
        }
        press(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(form().store().recordCount(), 0);
        press(Qt::Key_F1);
        QVERIFY(windows_.aboutBox->isVisible() && !form().isEnabled());
    }
};

QTEST_MAIN(KeysTest)
#include "tst_keys.moc"
