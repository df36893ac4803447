// The program from the keyboard, through real key events on the focused widget: Enter and F2
// open the selected row in the editor, Delete deletes it with the question, Escape is the
// editor's Cancel, and the file commands and the About box have their keys.
#include "tests/ui/support/scripteddialogs.h"
#include "tests/ui/support/uitest.h"
#include "ui/about/taboutbox.h"
#include "ui/app/programwindows.h"
#include "ui/app/tform1.h"
#include "ui/editor/teditor1.h"
#include "ui/toolkit/cp932text.h"
#include "ui/toolkit/editbox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace grimtally;
using grimtally::test::ScriptedDialogs;
using grimtally::ui::Answer;

class KeysTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder_;
    QString oldCurrent_;
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
        QVERIFY(folder_.isValid());
        oldCurrent_ = QDir::currentPath();
        QDir::setCurrent(folder_.path());
        const QString shipped = QStringLiteral(GRIMTALLY_SHIPPED_DATA "/ja/");
        for (const QString& file : {u"Choices.txt"_s, u"Sample.txt"_s})
            QVERIFY(QFile::copy(shipped + file, folder_.filePath(file)));
        dialogs_ = std::make_unique<ScriptedDialogs>();
        dialogs_->chooseFile(folder_.filePath(u"Choices.txt"_s));
        windows_ = ui::createProgramWindows();
        dialogs_->chooseFile(folder_.filePath(u"Sample.txt"_s));
        form().Menu_OpenClick();
        QVERIFY(form().store().recordCount() >= 3);
    }
    void cleanup()
    {
        windows_ = {};
        dialogs_.reset();
        QDir::setCurrent(oldCurrent_);
        QDir(folder_.path()).removeRecursively();
        QDir().mkpath(folder_.path());
    }

    void enterAndF2OpenTheSelectedRow_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("row");
        QTest::newRow("Return on a record") << int(Qt::Key_Return) << 2;
        QTest::newRow("Enter on a record") << int(Qt::Key_Enter) << 3;
        QTest::newRow("F2 on a record") << int(Qt::Key_F2) << 1;
        QTest::newRow("Return on the new-entry row") << int(Qt::Key_Return) << 0;
        QTest::newRow("F2 on the new-entry row") << int(Qt::Key_F2) << 0;
    }
    void enterAndF2OpenTheSelectedRow()
    {
        QFETCH(int, key);
        QFETCH(int, row);
        focusRow(row);
        press(key);
        QVERIFY(editor().isVisible());
        QVERIFY(!form().isEnabled());
        const QString name = row == 0 ? QString() : ui::fromCp932(form().store().name(row));
        QCOMPARE(editor().Name_O->text(), name);
    }

    void escapeInTheEditorIsCancelWithItsQuestion()
    {
        focusRow(1);
        press(Qt::Key_Return);
        QVERIFY(test::showActive(&editor()));
        // What the Cancel button asks is what Escape asks.
        dialogs_->answer(Answer::Cancel);
        editor().B_Cancel->click();
        const QString question = dialogs_->questions.back().text;

        editor().Name_O->setFocus();
        dialogs_->answer(Answer::Cancel);
        press(Qt::Key_Escape);
        QCOMPARE(dialogs_->questions.size(), 2u);
        QCOMPARE(dialogs_->questions.back().text, question);
        QVERIFY(editor().isVisible());

        dialogs_->answer(Answer::Ok);
        press(Qt::Key_Escape);
        QCOMPARE(dialogs_->questions.size(), 3u);
        QVERIFY(!editor().isVisible());
        QVERIFY(form().isEnabled());
    }

    void deleteKeyAsksAndDeletesTheSelectedRecord()
    {
        const int records = form().store().recordCount();
        const QString name = ui::fromCp932(form().store().name(2));
        focusRow(2);
        dialogs_->answer(Answer::Cancel);
        press(Qt::Key_Delete);
        QCOMPARE(dialogs_->questions.size(), 1u);
        QVERIFY(dialogs_->questions.back().text.startsWith(name + u"を削除します。"_s));
        QCOMPARE(form().store().recordCount(), records);

        dialogs_->answer(Answer::Ok);
        press(Qt::Key_Delete);
        QCOMPARE(form().store().recordCount(), records - 1);

        focusRow(0); // the new-entry row is not deleted, nor asked about
        press(Qt::Key_Delete);
        QCOMPARE(dialogs_->questions.size(), 2u);
    }

    void fileCommandsAndAboutHaveTheirKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("runs");
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("new") << int(Qt::Key_N) << ctrl << u"new"_s;
        QTest::newRow("open") << int(Qt::Key_O) << ctrl << u"open"_s;
        QTest::newRow("merge") << int(Qt::Key_M) << ctrl << u"open"_s;
        QTest::newRow("save as") << int(Qt::Key_S) << (ctrl | int(Qt::ShiftModifier)) << u"save"_s;
        QTest::newRow("save") << int(Qt::Key_S) << ctrl << u"save"_s;
        QTest::newRow("about") << int(Qt::Key_F1) << 0 << u"about"_s;
    }
    void fileCommandsAndAboutHaveTheirKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, runs);
        focusRow(1);
        const std::size_t filesAsked = dialogs_->fileRequests.size();
        if (runs == u"open"_s || runs == u"save"_s)
            dialogs_->cancelFile();
        press(key, Qt::KeyboardModifiers(modifiers));
        if (runs == u"new"_s) {
            QCOMPARE(form().store().recordCount(), 0);
        } else if (runs == u"about"_s) {
            QVERIFY(windows_.aboutBox->isVisible());
            QVERIFY(!form().isEnabled());
        } else {
            QCOMPARE(dialogs_->fileRequests.size(), filesAsked + 1);
            QCOMPARE(dialogs_->fileRequests.back().kind, runs == u"open"_s
                                                             ? ScriptedDialogs::FileKind::Open
                                                             : ScriptedDialogs::FileKind::Save);
        }
    }
};

QTEST_MAIN(KeysTest)
#include "tst_keys.moc"
