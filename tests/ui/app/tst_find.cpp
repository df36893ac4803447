// The find bar: Ctrl+F opens it, the list narrows as words are typed in any width or kana,
// Escape brings every row back in its order, and every command on the list keeps meaning
// the row the user sees.
#include "core/records/datafile.h"
#include "core/text/textfile.h"
#include "tests/ui/support/scripteddialogs.h"
#include "tests/ui/support/uitest.h"
#include "tests/ui/support/workingfolder.h"
#include "ui/app/findbar.h"
#include "ui/app/programlanguage.h"
#include "ui/app/programwindows.h"
#include "ui/app/tform1.h"
#include "ui/editor/teditor1.h"
#include "ui/toolkit/cp932text.h"
#include "ui/toolkit/editbox.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include <fstream>
#include <optional>

using namespace Qt::StringLiterals;
using namespace grimtally;
using grimtally::test::ScriptedDialogs;
using grimtally::ui::Answer;

class FindTest : public QObject {
    Q_OBJECT

private:
    std::optional<test::WorkingFolder> folder_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    ui::ProgramWindows windows_;

    ui::TForm1& form() { return *windows_.form1; }
    QLineEdit* findBox() { return form().FindBar1->Find_O; }
    QString cell(int row, int column)
    {
        const QAbstractItemModel* model = form().ListView1->model();
        return model->data(model->index(row, column), Qt::DisplayRole).toString();
    }
    QStringList names()
    {
        QStringList result;
        for (int row = 0; row < form().ListView1->model()->rowCount(); ++row)
            result << cell(row, 0);
        return result;
    }
    QString count() { return form().FindBar1->FindCount_L->text(); }
    // Types into the find box as a user does, after emptying it.
    void find(const QString& words)
    {
        test::clearText(findBox());
        test::typeInto(findBox(), words);
    }
    static std::string bytes(const QString& text) { return ui::toCp932(text).value(); }
    static EnemyRecord enemy(const QString& name, const QString& classify, int level)
    {
        std::vector<std::string> fields(kFieldCount, "1");
        fields[FieldClassify] = bytes(classify);
        fields[FieldLevel] = std::to_string(level);
        return {bytes(name), FieldList(std::span<const std::string>(fields))};
    }
    QString writeFile(const QString& name, const std::vector<EnemyRecord>& records)
    {
        RecordStore store;
        store.replaceFrom(1, records);
        const QString path = folder_->filePath(name);
        saveDataFile(ui::toPath(path), store);
        return path;
    }
    void clickHeader(int column) { form().ListView1->header()->sectionClicked(column); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(folder_.emplace().isValid());
        QFile::copy(QStringLiteral(GRIMTALLY_SHIPPED_DATA "/ja/Choices.txt"),
                    folder_->filePath(u"Choices.txt"_s));
        dialogs_ = std::make_unique<ScriptedDialogs>();
        dialogs_->chooseFile(folder_->filePath(u"Choices.txt"_s));
        windows_ = ui::createProgramWindows();
        dialogs_->chooseFile(
            writeFile(u"five.txt"_s,
                      {enemy(u"Goblin"_s, u"Humanoid"_s, 3), enemy(u"ゴブリン"_s, u"亜人"_s, 2),
                       enemy(u"Cave Rat"_s, u"Beast"_s, 6), enemy(u"ｺﾞﾌﾞﾘﾝ王"_s, u"亜人"_s, 5),
                       enemy(u"Orc"_s, u"Humanoid"_s, 4)}));
        form().Menu_OpenClick();
        QVERIFY(test::showActive(&form()));
        form().ListView1->setFocus();
    }
    void cleanup()
    {
        windows_ = {};
        dialogs_.reset();
        folder_.reset();
    }

    void ctrlFFindsAsYouTypeAndEscapeBringsEveryRowBack()
    {
        QVERIFY(!form().FindBar1->isVisible());
        clickHeader(2); // by level
        const QStringList byLevel = {u"(Anew)"_s, u"ゴブリン"_s, u"Goblin"_s,
                                     u"Orc"_s,    u"ｺﾞﾌﾞﾘﾝ王"_s, u"Cave Rat"_s};
        QCOMPARE(names(), byLevel);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(form().FindBar1->isVisible());
        QCOMPARE(QApplication::focusWidget(), findBox());
        QCOMPARE(findBox()->objectName(), u"Find_O"_s);
        QCOMPARE(count(), QString());

        test::typeInto(findBox(), u"GOB"_s);
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"Goblin"_s}));
        QCOMPARE(count(), u"1 of 5 enemies"_s);
        // Hiragana finds katakana of either width, voiced marks and all.
        find(u"ごぶ"_s);
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"ゴブリン"_s, u"ｺﾞﾌﾞﾘﾝ王"_s}));
        test::typeInto(findBox(), u"りん　５"_s); // two words, parted by a full-width blank
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"ｺﾞﾌﾞﾘﾝ王"_s}));
        QCOMPARE(count(), u"1 of 5 enemies"_s);
        find(u"dragon"_s);
        QCOMPARE(names(), QStringList{u"(Anew)"_s}); // the new-entry row always stays
        QCOMPARE(count(), u"0 of 5 enemies"_s);

        QTest::keyClick(findBox(), Qt::Key_Escape);
        QVERIFY(!form().FindBar1->isVisible());
        QCOMPARE(findBox()->text(), QString());
        QCOMPARE(names(), byLevel);
        QCOMPARE(QApplication::focusWidget(), form().ListView1);

        // Ctrl+F again keeps no old words; the close button ends the find as Escape does.
        form().Find1Click();
        test::typeInto(findBox(), u"rat"_s);
        QCOMPARE(names().size(), 2);
        form().FindBar1->B_FindClose->click();
        QVERIFY(!form().FindBar1->isVisible());
        QCOMPARE(names(), byLevel);

        // Down goes on to the rows, and Escape there ends the find too.
        form().Find1Click();
        test::typeInto(findBox(), u"rat"_s);
        QTest::keyClick(findBox(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), form().ListView1);
        QTest::keyClick(form().ListView1, Qt::Key_Escape);
        QVERIFY(!form().FindBar1->isVisible());
        QCOMPARE(names(), byLevel);
        QCOMPARE(form().selectedSlot(), 3); // still on the rat
    }

    void rowCommandsActOnTheRowShown()
    {
        form().Find1Click();
        test::typeInto(findBox(), u"humanoid"_s);
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"Goblin"_s, u"Orc"_s}));
        form().selectRow(2);
        QCOMPARE(form().selectedSlot(), 5);
        form().Copy1Click();
        QCOMPARE(form().store().recordCount(), 6);
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"Goblin"_s, u"Orc"_s, u"Orc"_s}));
        QCOMPARE(count(), u"3 of 6 enemies"_s);

        form().selectRow(1);
        dialogs_->answer(Answer::Ok);
        form().Delete1Click();
        QCOMPARE(dialogs_->questions.back().text, u"Goblinを削除します。\r\nよろしいですか？"_s);
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"Orc"_s, u"Orc"_s}));
        QCOMPARE(form().store().name(1), bytes(u"ゴブリン"_s));

        // Enter in the find box goes on to the first row; Enter there opens it.
        find(u"orc"_s);
        QTest::keyClick(findBox(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form().ListView1);
        QCOMPARE(form().selectedRow(), 1);
        QTest::keyClick(form().ListView1, Qt::Key_Return);
        ui::TEditor1& editor = *windows_.editor1;
        QVERIFY(editor.isVisible());
        QCOMPARE(editor.Name_O->text(), u"Orc"_s);

        // Registering writes the record back into its own slot, and the words still apply:
        // a name they no longer find leaves the list.
        test::clearText(editor.Name_O);
        test::typeInto(editor.Name_O, u"Troll"_s);
        dialogs_->answer(Answer::Yes);
        editor.B_ResistClick();
        QCOMPARE(form().store().name(4), std::string("Troll"));
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"Orc"_s}));
        QCOMPARE(count(), u"1 of 5 enemies"_s);
    }

    void headerClicksSortTheShownRowsInTheirCycle()
    {
        form().Find1Click();
        test::typeInto(findBox(), u"humanoid"_s);
        clickHeader(2);
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"Goblin"_s, u"Orc"_s}));
        clickHeader(2);
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"Orc"_s, u"Goblin"_s}));
        QCOMPARE(form().ListView1->header()->sortIndicatorOrder(), Qt::DescendingOrder);
        form().selectRow(2);
        // The full list comes back in the order the shown rows were given, on the record
        // that was selected.
        QTest::keyClick(findBox(), Qt::Key_Escape);
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"Cave Rat"_s, u"ｺﾞﾌﾞﾘﾝ王"_s, u"Orc"_s,
                                       u"Goblin"_s, u"ゴブリン"_s}));
        QCOMPARE(form().selectedSlot(), 1);
        form().Find1Click();
        test::typeInto(findBox(), u"humanoid"_s);
        clickHeader(0); // the third click: slot order
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"Goblin"_s, u"Orc"_s}));
        QVERIFY(!form().ListView1->header()->isSortIndicatorShown());
    }

    void openMergeNewAndImportEndTheFind()
    {
        const auto finding = [this](int orcs) {
            form().Find1Click();
            test::typeInto(findBox(), u"orc"_s);
            QCOMPARE(names().size(), 1 + orcs);
        };
        finding(1);
        dialogs_->cancelFile(); // Merge that brings nothing in changes nothing
        form().Menu_MergeClick();
        QCOMPARE(names().size(), 2);
        QVERIFY(form().FindBar1->isVisible());

        dialogs_->chooseFile(writeFile(u"more.txt"_s, {enemy(u"Wolf"_s, u"Beast"_s, 2)}));
        form().Menu_MergeClick();
        QVERIFY(!form().FindBar1->isVisible());
        QCOMPARE(names().size(), 7);

        finding(1);
        const QString json = folder_->filePath(u"orc.json"_s);
        dialogs_->chooseFile(json);
        form().findChild<QAction*>(u"Menu_ExportJson"_s)->trigger();
        finding(1);
        dialogs_->chooseFile(json);
        form().findChild<QAction*>(u"Menu_ImportJson"_s)->trigger();
        QVERIFY(!form().FindBar1->isVisible());
        QCOMPARE(names().size(), 8);

        finding(2);                   // the imported one too
        dialogs_->answer(Answer::No); // the save question
        form().Menu_NewClick();
        QVERIFY(!form().FindBar1->isVisible());
        QCOMPARE(names(), QStringList{u"(Anew)"_s});

        dialogs_->chooseFile(folder_->filePath(u"five.txt"_s));
        form().Menu_OpenClick();
        finding(1);
        dialogs_->chooseFile(folder_->filePath(u"five.txt"_s));
        form().Menu_OpenClick();
        QVERIFY(!form().FindBar1->isVisible());
        QCOMPARE(names().size(), 6);
    }

    void printAndExportTakeTheShownEnemiesAndSaySo()
    {
        form().Find1Click();
        test::typeInto(findBox(), u"humanoid"_s);
        const QString json = folder_->filePath(u"shown.json"_s);
        dialogs_->chooseFile(json);
        form().findChild<QAction*>(u"Menu_ExportJson"_s)->trigger();
        QVERIFY2(dialogs_->fileRequests.back().title.contains(
                     u"only the 2 enemies the find bar shows"_s),
                 qUtf8Printable(dialogs_->fileRequests.back().title));
        const std::string written = readWholeFile(ui::toPath(json));
        QVERIFY(written.find("Goblin") != std::string::npos);
        QVERIFY(written.find("Orc") != std::string::npos);
        QVERIFY(written.find("Cave Rat") == std::string::npos);

        form().selectRow(2); // one enemy chosen: nothing to say
        dialogs_->chooseFile(folder_->filePath(u"one.csv"_s));
        form().findChild<QAction*>(u"Menu_ExportCsv"_s)->trigger();
        QVERIFY(!dialogs_->fileRequests.back().title.contains(u"find bar"_s));

        find(u"dragon"_s);
        dialogs_->answer(Answer::Ok);
        form().findChild<QAction*>(u"Menu_ExportMarkdown"_s)->trigger();
        QCOMPARE(dialogs_->questions.back().text,
                 u"The find bar shows no enemies to print or export."_s);
    }

    void theCountSpeaksTheProgramsLanguage()
    {
        const ui::ProgramTranslators japanese(u"ja"_s);
        QVERIFY(japanese.installed());
        form().Find1Click();
        test::typeInto(findBox(), u"亜人"_s);
        QCOMPARE(count(), u"5体中2体"_s);
    }

    void modelPassesTheModelTesterWhileFinding()
    {
        QAbstractItemModelTester tester(form().ListView1->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        form().Find1Click();
        test::typeInto(findBox(), u"o"_s);
        test::typeInto(findBox(), u"r"_s);
        clickHeader(1);
        form().ListView1Renew();
        find(u"nothing"_s);
        QTest::keyClick(findBox(), Qt::Key_Escape);
    }
};

QTEST_MAIN(FindTest)
#include "tst_find.moc"
