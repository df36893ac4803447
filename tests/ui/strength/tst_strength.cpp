// The strength dialog as the program wires it: it takes the editor's level when it comes up
// and sends strength and level back so the attack rows follow.
#include "tests/ui/support/editorsession.h"
#include "ui/app/programwindows.h"
#include "ui/strength/tform2.h"
#include "ui/toolkit/combobox.h"
#include "ui/toolkit/editbox.h"
#include "ui/toolkit/spinedit.h"

#include <QPushButton>
#include <QtTest>

using namespace grimtally::ui;
using namespace Qt::StringLiterals;

class StrengthDialog : public QObject, private grimtally::test::EditorSession {
    Q_OBJECT

    std::optional<ProgramWindows> windows_;
    TEditor1* editor1_ = nullptr;
    TForm2* form2_ = nullptr;

    void open(const QString& editorLevel)
    {
        QVERIFY(QTest::qWaitForWindowActive(editor1_));
        enter(editor1_->Level_O, editorLevel);
        QTest::mouseClick(editor1_->Button1, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(form2_));
        QVERIFY(!editor1_->isEnabled());
        QCOMPARE(form2_->Level_O->text(), editorLevel);
    }

    void estimate(const QString& level, const QString& damage, const QString& expected)
    {
        enter(form2_->Level_O, level);
        enter(form2_->SpinEdit1, damage);
        QTest::mouseClick(form2_->Button1, Qt::LeftButton);
        QCOMPARE(form2_->Edit1->text(), expected);
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(openSession());
        // Sword: hit 2, damage 0, critical 10.
        writeFile(u"Choices.txt"_s, "[hit]\nBlade,2\n[damage]\nBlade,0\n[critical]\nBlade,10\n"
                                    "[attack]\nSword,Blade,Blade,Blade\n");
        dialogs_->chooseFile(u"Choices.txt"_s);
        windows_.emplace(createProgramWindows());
        editor1_ = windows_->editor1.get();
        form2_ = windows_->form2.get();
        windows_->form1->selectRow(0);
        windows_->form1->ListView1DblClick();
    }

    void cleanup()
    {
        windows_.reset();
        closeSession();
    }

    void sendDrivesTheEditor()
    {
        open(u"4"_s);
        QCOMPARE(form2_->ComboBox1->selectedIndex(), 0);
        QTRY_VERIFY(form2_->Button1->hasFocus());
        estimate(u"3"_s, u"8"_s, u"12"_s);
        QTest::mouseClick(form2_->Button2, Qt::LeftButton);
        QVERIFY(!form2_->isVisible());
        QVERIFY(editor1_->isEnabled());
        QCOMPARE(editor1_->Str_O->text(), u"12"_s);
        QCOMPARE(editor1_->Level_O->text(), u"3"_s);
        // The attack row follows: hit 3 + 2 + 7, and the damage that was asked for.
        QCOMPARE(editor1_->Attack_O12->text(), u"12"_s);
        QCOMPARE(editor1_->Attack_O14->text(), u"8"_s);

        open(u"10"_s);
        estimate(u"10"_s, u"0"_s, u"-25"_s);
        QTest::mouseClick(form2_->Button2, Qt::LeftButton);
        QCOMPARE(editor1_->Str_O->text(), u"0"_s);
    }

    // An estimate is forgotten when an input changes; with none on show the editor's strength
    // stays. The close box gives the editor back.
    void sendsOnlyAnEstimateOfTheShownInputs()
    {
        enter(editor1_->Str_O, u"15"_s);
        open(u"1"_s);
        estimate(u"3"_s, u"8"_s, u"12"_s);
        enter(form2_->SpinEdit1, u"9"_s);
        QVERIFY(form2_->Edit1->text().isEmpty());
        QTest::mouseClick(form2_->Button2, Qt::LeftButton);
        QCOMPARE(editor1_->Str_O->text(), u"15"_s);
        QCOMPARE(editor1_->Level_O->text(), u"3"_s);

        open(u"1"_s);
        form2_->close();
        QVERIFY(!form2_->isVisible());
        QVERIFY(editor1_->isEnabled());
    }
};

QTEST_MAIN(StrengthDialog)
#include "tst_strength.moc"
