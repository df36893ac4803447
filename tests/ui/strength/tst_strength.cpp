// The strength dialog beside the editor: it opens from the editor's strength button, takes
// the editor's level, works out the estimate, and sends strength and level back so the
// attack rows follow; every way out gives the editor back.
#include "tests/ui/support/editorsession.h"
#include "tests/ui/support/uitest.h"
#include "ui/strength/tform2.h"
#include "ui/toolkit/combobox.h"
#include "ui/toolkit/editbox.h"
#include "ui/toolkit/spinedit.h"

#include <QPushButton>
#include <QtTest>

using namespace grimtally;
using namespace grimtally::ui;
using namespace Qt::StringLiterals;

namespace {

//   Sword: damage 0, critical 10     Maul: damage -6, critical 9
//   Wall: critical 72                Lost: its damage key has no row
const char kChoices[] = R"([hit]
Blade,2
[damage]
Blade,0
Heavy,-6
[critical]
Blade,10
Heavy,9
Wall,72
[attack]
Sword,Blade,Blade,Blade
Maul,Blade,Heavy,Heavy
Wall,Blade,Blade,Wall
Lost,Blade,Missing,Blade
)";

} // namespace

class StrengthDialog : public QObject, private test::EditorSession {
    Q_OBJECT

    std::unique_ptr<TForm2> form2_;

    // The user's click on the editor's strength button; false when the dialog is not up.
    bool openDialog()
    {
        QTest::mouseClick(editor_->Button1, Qt::LeftButton);
        return QTest::qWaitForWindowActive(form2_.get());
    }

    void calculate(const QString& attack, const QString& level, const QString& damage)
    {
        enter(form2_->ComboBox1, attack);
        enter(form2_->Level_O, level);
        enter(form2_->SpinEdit1, damage);
        QTest::mouseClick(form2_->Button1, Qt::LeftButton);
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(openSession());
        writeFile(u"Choices.txt"_s, kChoices);
        createWindows();
        TEditor1* editor = editor_.get();
        form2_ = std::make_unique<TForm2>(TForm2::EditorLink{
            editor, editor->Level_O, editor->Str_O,
            [editor]() -> const std::optional<ChoiceTables>& { return editor->ruleTables(); }});
        editor_->setDialogOpeners({{}, {}, [this] { form2_->showEstimate(); }});
        QVERIFY(openRow(0));
    }

    void cleanup()
    {
        form2_.reset();
        closeSession();
    }

    void levelFollowsTheEditorAndSendDrivesIt()
    {
        enter(u"Level_O"_s, u"4"_s);
        QVERIFY(openDialog());
        QVERIFY(!editor_->isEnabled());
        QCOMPARE(form2_->windowTitle(), u"筋力逆算ダイアログ"_s);
        QCOMPARE(form2_->ComboBox1->entryCount(), 4);
        QCOMPARE(form2_->ComboBox1->selectedIndex(), 0);
        QTRY_VERIFY(form2_->Button1->hasFocus());
        QCOMPARE(form2_->Level_O->text(), u"4"_s);

        calculate(u"Maul"_s, u"4"_s, u"10"_s);
        QCOMPARE(form2_->Edit1->text(), u"18"_s);
        calculate(u"Sword"_s, u"3"_s, u"8"_s);
        QCOMPARE(form2_->Edit1->text(), u"12"_s);

        QTest::mouseClick(form2_->Button2, Qt::LeftButton);
        QVERIFY(!form2_->isVisible());
        QVERIFY(editor_->isEnabled());
        QVERIFY(QTest::qWaitForWindowActive(editor_.get()));
        QCOMPARE(text(u"Str_O"_s), u"12"_s);
        QCOMPARE(text(u"Level_O"_s), u"3"_s);
        // Sword at level 3 and strength 12: hit 3 + 2 + 7, damage 8 asked for.
        QCOMPARE(text(u"Attack_O12"_s), u"12"_s);
        QCOMPARE(text(u"Attack_O14"_s), u"8"_s);

        // The next opening takes the editor's level again; the damage typed stays.
        enter(u"Level_O"_s, u"7"_s);
        QVERIFY(openDialog());
        QCOMPARE(form2_->Level_O->text(), u"7"_s);
        QCOMPARE(form2_->SpinEdit1->text(), u"8"_s);
    }

    // Send clamps the estimate into the strength's range, and only ever sends an estimate
    // worked out from the level, attack and damage on show.
    void sendsOnlyAnEstimateOfTheShownInputs()
    {
        QVERIFY(openDialog());
        calculate(u"Sword"_s, u"10"_s, u"0"_s);
        QCOMPARE(form2_->Edit1->text(), u"-25"_s);
        QTest::mouseClick(form2_->Button2, Qt::LeftButton);
        QCOMPARE(text(u"Str_O"_s), u"0"_s);

        enter(u"Str_O"_s, u"15"_s);
        QVERIFY(openDialog());
        QVERIFY(form2_->Edit1->text().isEmpty()); // the attack list was renewed
        calculate(u"Sword"_s, u"3"_s, u"8"_s);
        enter(form2_->SpinEdit1, u"9"_s);
        QVERIFY(form2_->Edit1->text().isEmpty());
        QTest::mouseClick(form2_->Button2, Qt::LeftButton);
        QCOMPARE(text(u"Str_O"_s), u"15"_s);
        QCOMPARE(text(u"Level_O"_s), u"3"_s); // the level goes all the same
    }

    // A flawed row shows one error box naming it and no estimate; a typed text that is no
    // attack asks nothing and works nothing out.
    void unusableAttacksGiveNoEstimate()
    {
        QVERIFY(openDialog());
        for (const QString& attack : {u"Wall"_s, u"Lost"_s, u"Spear"_s}) {
            const std::size_t asked = dialogs_->questions.size();
            const bool listed = attack != u"Spear"_s;
            if (listed)
                dialogs_->answer(Answer::Ok);
            calculate(attack, u"3"_s, u"8"_s);
            QCOMPARE(dialogs_->questions.size(), asked + (listed ? 1 : 0));
            if (listed) {
                QCOMPARE(dialogs_->questions.back().icon, MessageIcon::Error);
                QVERIFY2(dialogs_->questions.back().text.contains(attack),
                         qPrintable(dialogs_->questions.back().text));
            }
            QVERIFY(form2_->Edit1->text().isEmpty());
        }
    }

    void everyWayOutGivesTheEditorBack_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("close box") << 0;
        QTest::newRow("Escape") << 1;
    }

    void everyWayOutGivesTheEditorBack()
    {
        QFETCH(int, way);
        enter(u"Str_O"_s, u"15"_s);
        QVERIFY(openDialog());
        calculate(u"Sword"_s, u"3"_s, u"8"_s);
        if (way == 0)
            form2_->close();
        else
            QTest::keyClick(form2_->Button1, Qt::Key_Escape);
        QVERIFY(!form2_->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(editor_.get()));
        QVERIFY(editor_->isEnabled());
        QCOMPARE(text(u"Str_O"_s), u"15"_s);
    }
};

QTEST_MAIN(StrengthDialog)
#include "tst_strength.moc"
