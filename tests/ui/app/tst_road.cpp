// The road of one edit through the windows: open a Shift-JIS collection, double-click an
// enemy, edit it in the editor, register it, save the collection, and compare the saved file
// byte for byte with what it must hold.
#include "core/text/textfile.h"
#include "tests/ui/support/scripteddialogs.h"
#include "tests/ui/support/uitest.h"
#include "tests/ui/support/workingfolder.h"
#include "ui/app/programwindows.h"
#include "ui/app/tform1.h"
#include "ui/editor/teditor1.h"
#include "ui/toolkit/cp932text.h"
#include "ui/toolkit/editbox.h"

#include <QFile>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace grimtally;
using grimtally::test::ScriptedDialogs;
using grimtally::ui::Answer;

class RoadTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void editOneEnemyAndSaveTheCollection()
    {
        const test::WorkingFolder folder;
        QVERIFY(folder.isValid());
        const QString shipped = QStringLiteral(GRIMTALLY_SHIPPED_DATA "/ja/");
        QVERIFY(QFile::copy(shipped + u"Choices.txt"_s, folder.filePath(u"Choices.txt"_s)));
        QVERIFY(QFile::copy(shipped + u"Sample.txt"_s, folder.filePath(u"Sample.txt"_s)));

        ScriptedDialogs dialogs;
        dialogs.chooseFile(folder.filePath(u"Choices.txt"_s)); // asked while the editor is made
        ui::ProgramWindows windows = ui::createProgramWindows();
        ui::TForm1& form = *windows.form1;
        ui::TEditor1& editor = *windows.editor1;
        QVERIFY(!editor.isVisible());

        dialogs.chooseFile(folder.filePath(u"Sample.txt"_s));
        form.Menu_OpenClick();
        const std::string original = readWholeFile(ui::toPath(folder.filePath(u"Sample.txt"_s)));
        QVERIFY(form.store().recordCount() >= 2);

        // Row 2 shows the second enemy; give it a longer name.
        const std::string oldName(form.store().name(2));
        form.selectRow(2);
        form.ListView1DblClick();
        QVERIFY(editor.isVisible());
        QVERIFY(!form.isEnabled());
        QCOMPARE(editor.Name_O->text(), ui::fromCp932(oldName));
        editor.Name_O->end(false);
        test::typeInto(editor.Name_O, u"改"_s);

        dialogs.answer(Answer::Yes);
        editor.B_Resist->click();
        QCOMPARE(dialogs.questions.back().text,
                 u"データを上書きします。\r\n\r\nよろしいですか？"_s);
        QVERIFY(!editor.isVisible());
        QVERIFY(form.isEnabled());

        dialogs.chooseFile(folder.filePath(u"Saved.txt"_s));
        form.Menu_AnewClick();
        const std::string saved = readWholeFile(ui::toPath(folder.filePath(u"Saved.txt"_s)));

        // Only the name changed; every other byte of the file, Shift-JIS and all, is as read.
        std::string expected = original;
        const std::string newName = oldName + *ui::toCp932(u"改"_s);
        const std::string quotedOld = '"' + oldName + '"';
        const size_t at = expected.find(quotedOld);
        QVERIFY(at != std::string::npos);
        expected.replace(at + 1, oldName.size(), newName);
        QCOMPARE(saved, expected);
    }
};

QTEST_MAIN(RoadTest)
#include "tst_road.moc"
