// Leaving an emptied combo box or spin edit of the editor puts a usable value back, runs
// the rule that depends on it, and touches nothing else; numbers out of range are kept in.
#include "tests/ui/support/editorsession.h"
#include "tests/ui/support/uitest.h"
#include "ui/app/tform1.h"
#include "ui/editor/teditor1.h"
#include "ui/toolkit/combobox.h"
#include "ui/toolkit/editbox.h"
#include "ui/toolkit/spinedit.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <map>

using namespace grimtally::ui;
using namespace Qt::StringLiterals;

namespace {

// Sword: hit 2, damage 0, critical 10. Bite: hit 1, damage -10, critical 10.
const char kChoices[] = R"([classify]
Beast
Undead
[celebrity]
Sages
[count]
1
2
[frequency]
Common
Rare
[reaction]
Friendly
Hostile
[intelligence]
Dim,-1
Clever,1
[sense]
Normal
Darkvision
[movement]
Walk
Fly
[size]
Medium,0
Large,-1
[hardness]
Soft,0
Tough,1
[hit]
Blade,2
Claw,1
[damage]
Blade,0
Claw,-10
[critical]
Blade,10
Claw,10
[attack]
Sword,Blade,Blade,Blade
Bite,Claw,Claw,Claw
[magic]
Fire
Ice
)";

} // namespace

class EditorConfirm : public QObject, private grimtally::test::EditorSession {
    Q_OBJECT

private:
    // Empties the control as the user would and leaves it with Tab.
    void clearAndLeave(const QString& name)
    {
        grimtally::test::clearText(control(name));
        grimtally::test::pressTab(control(name));
    }

    // The texts of every named input and display of the editor.
    std::map<QString, QString> snapshot()
    {
        std::map<QString, QString> texts;
        for (QWidget* widget : editor_->findChildren<QWidget*>()) {
            const QString name = widget->objectName();
            if ((qobject_cast<SpinEdit*>(widget) || qobject_cast<ComboBox*>(widget) ||
                 (qobject_cast<QLineEdit*>(widget) && name.contains(u"_O"_s))))
                texts[name] = text(name);
        }
        return texts;
    }

    // Level 3, dexterity 14, intelligence Clever; sub movement, attack 2 and magic 1 on.
    void enterRecord()
    {
        enter(u"Level_O"_s, u"3"_s);
        enter(u"Dex_O"_s, u"14"_s);
        enter(u"Int_O"_s, u"Clever"_s);
        enter(u"Movement_O21"_s, u"Fly"_s);
        enter(u"Attack_O21"_s, u"Bite"_s);
        enter(u"Magic_O11"_s, u"Fire"_s);
        editor_->Name_O->setFocus();
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(openSession());
        writeFile(u"Choices.txt"_s, kChoices);
        createWindows();
        QVERIFY(dialogs_->fileNames.empty());
        QVERIFY(openRow(0));
        enterRecord();
    }

    void cleanup() { closeSession(); }

    // An emptied combo box gets entry 0 back; exactly the values that depend on it follow.
    void emptiedComboBox_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("alsoChanged");

        QTest::newRow("classify") << u"Classify_O"_s << u"Undead"_s << u"Beast"_s << QStringList();
        QTest::newRow("celebrity 2")
            << u"Celebrity_O2"_s << u"Sages"_s << u"----"_s << QStringList();
        QTest::newRow("count 1") << u"Count_O1"_s << u"2"_s << u"1"_s << QStringList();
        QTest::newRow("count 2") << u"Count_O2"_s << u"2"_s << u"----"_s << QStringList();
        QTest::newRow("frequency") << u"Frequency_O"_s << u"Rare"_s << u"Common"_s << QStringList();
        QTest::newRow("reaction 1")
            << u"Reaction_O1"_s << u"Hostile"_s << u"Friendly"_s << QStringList();
        QTest::newRow("reaction 2")
            << u"Reaction_O2"_s << u"Hostile"_s << u"----"_s << QStringList();
        QTest::newRow("sense") << u"Sense_O"_s << u"Darkvision"_s << u"Normal"_s << QStringList();
        QTest::newRow("main movement")
            << u"Movement_O11"_s << u"Fly"_s << u"Walk"_s << QStringList();
        QTest::newRow("intelligence")
            << u"Int_O"_s << u"Clever"_s << u"Dim"_s
            << QStringList{u"Magic_O13"_s, u"Magic_O14"_s}; // power 9 becomes 7
        QTest::newRow("sub movement")
            << u"Movement_O21"_s << u"Fly"_s << u"----"_s << QStringList{u"Movement_O22"_s};
        QTest::newRow("size") << u"Size_O"_s << u"Large"_s << u"Medium"_s
                              << QStringList{u"Defence_O2"_s, u"Defence_O3"_s}; // 10 -> 11
        QTest::newRow("hardness") << u"Hardness_O"_s << u"Tough"_s << u"Soft"_s
                                  << QStringList{u"Defence_O4"_s}; // 6 -> 5
        QTest::newRow("attack 1") << u"Attack_O11"_s << u"Bite"_s << u"Sword"_s
                                  << QStringList{u"Attack_O12"_s, u"Attack_O13"_s, u"Attack_O14"_s};
        QTest::newRow("attack 2") << u"Attack_O21"_s << u"Bite"_s << u"----"_s
                                  << QStringList{u"Attack_O22"_s, u"Attack_O23"_s, u"Attack_O24"_s};
        QTest::newRow("attack 3") << u"Attack_O31"_s << u"Sword"_s << u"----"_s
                                  << QStringList{u"Attack_O32"_s, u"Attack_O33"_s, u"Attack_O34"_s};
        QTest::newRow("magic 1") << u"Magic_O11"_s << u"Fire"_s << u"----"_s
                                 << QStringList{u"Magic_O12"_s, u"Magic_O13"_s, u"Magic_O14"_s};
        QTest::newRow("magic 2") << u"Magic_O21"_s << u"Ice"_s << u"----"_s
                                 << QStringList{u"Magic_O22"_s, u"Magic_O23"_s, u"Magic_O24"_s};
        QTest::newRow("magic 3") << u"Magic_O31"_s << u"Ice"_s << u"----"_s
                                 << QStringList{u"Magic_O32"_s, u"Magic_O33"_s, u"Magic_O34"_s};
    }

    void emptiedComboBox()
    {
        QFETCH(QString, box);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QStringList, alsoChanged);

        enter(box, before);
        editor_->Name_O->setFocus();
        const std::map<QString, QString> start = snapshot();
        clearAndLeave(box);
        QCOMPARE(text(box), after);

        const std::map<QString, QString> end = snapshot();
        QStringList changed;
        for (const auto& [name, old] : start) {
            if (name != box && end.at(name) != old)
                changed << name;
        }
        changed.sort();
        alsoChanged.sort();
        QCOMPARE(changed, alsoChanged);
        for (const QString& name : alsoChanged) {
            if (after == u"----"_s)
                QVERIFY2(text(name).isEmpty() && !control(name)->isEnabled(), qPrintable(name));
        }
    }

    void typedTextIsKept()
    {
        enter(u"Classify_O"_s, u"Ogre"_s);
        grimtally::test::pressTab(control(u"Classify_O"_s));
        QCOMPARE(text(u"Classify_O"_s), u"Ogre"_s);
    }

    // Spin edits: empty gives 1 (and what depends on it follows); out of range goes to the
    // nearest bound after the exit handler; a text that is no whole number stays.
    void spinEditOnLeaving_data()
    {
        QTest::addColumn<QString>("spin");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("dependant");
        QTest::addColumn<QString>("dependantAfter");

        QTest::newRow("level empty")
            << u"Level_O"_s << QString() << u"1"_s << u"Attack_O12"_s << u"10"_s; // 1 + 2 + 7
        QTest::newRow("strength 1000") << u"Str_O"_s << u"1000"_s << u"999"_s << u"Attack_O14"_s
                                       << u"400"_s; // 6054/26 + 3 + 166.5 - 2
        QTest::newRow("strength -5")
            << u"Str_O"_s << u"-5"_s << u"0"_s << u"Attack_O14"_s << u"3"_s; // 60/26 + 3 - 2
        QTest::newRow("strength 1.5")
            << u"Str_O"_s << u"1.5"_s << u"1.5"_s << u"Attack_O14"_s << u"3"_s; // counts as 0
        QTest::newRow("celebrity empty")
            << u"Celebrity_O1"_s << QString() << u"1"_s << QString() << QString();
        QTest::newRow("dexterity empty")
            << u"Dex_O"_s << QString() << u"1"_s << u"Defence_O2"_s << u"9"_s; // 3 + 0 + 6
        QTest::newRow("main speed empty")
            << u"Movement_O12"_s << QString() << u"1"_s << QString() << QString();
        QTest::newRow("sub speed empty")
            << u"Movement_O22"_s << QString() << u"1"_s << QString() << QString();
        QTest::newRow("dodge empty")
            << u"Defence_O2"_s << QString() << u"1"_s << u"Defence_O3"_s << u"-6"_s;
        QTest::newRow("HP empty") << u"HP_O1"_s << QString() << u"1"_s << u"HP_O2"_s << u"9"_s;
        QTest::newRow("SP 5000") << u"SP_O1"_s << u"5000"_s << u"999"_s << u"SP_O2"_s
                                 << u"175"_s; // 3 + 166 + 6
        QTest::newRow("magic level empty")
            << u"Magic_O12"_s << QString() << u"1"_s << u"Magic_O13"_s << u"9"_s; // 1 + 1 + 7
    }

    void spinEditOnLeaving()
    {
        QFETCH(QString, spin);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        QFETCH(QString, dependant);
        QFETCH(QString, dependantAfter);

        enter(spin, u"7"_s); // something to take away first
        grimtally::test::clearText(control(spin));
        grimtally::test::typeInto(control(spin), typed);
        grimtally::test::pressTab(control(spin));
        QCOMPARE(text(spin), after);
        if (!dependant.isEmpty())
            QCOMPARE(text(dependant), dependantAfter);
    }

    // The hit has a rule of its own: an emptied hit is derived again, not set to 1.
    void emptiedHitIsDerived()
    {
        clearAndLeave(u"Attack_O12"_s);
        QCOMPARE(text(u"Attack_O12"_s), u"12"_s);
        QCOMPARE(text(u"Attack_O13"_s), u"5"_s);
    }

    // Without a choice file the plain boxes have no entry 0 to return to.
    void emptyListsStayEmpty()
    {
        dialogs_->chooseFile(u"Missing.txt"_s);
        editor_->B_LoadChoices->click();
        QCOMPARE(editor_->Classify_O->entryCount(), 0);

        enter(u"Classify_O"_s, u"Ogre"_s);
        clearAndLeave(u"Classify_O"_s);
        QVERIFY(text(u"Classify_O"_s).isEmpty());
        enter(u"Celebrity_O2"_s, u"Sages"_s);
        clearAndLeave(u"Celebrity_O2"_s);
        QCOMPARE(text(u"Celebrity_O2"_s), u"----"_s);
    }
};

QTEST_MAIN(EditorConfirm)
#include "tst_editor_confirm.moc"
