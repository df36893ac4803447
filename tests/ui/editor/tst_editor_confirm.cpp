// Leaving a combo box or spin edit of the editor reaches the enemy form, which puts a usable
// value back into an emptied one; a number out of range is then kept in, and what depends
// on it follows.
#include "core/records/fieldtable.h"
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

using namespace grimtally;
using namespace grimtally::ui;
using namespace Qt::StringLiterals;

class EditorConfirm : public QObject, private grimtally::test::EditorSession {
    Q_OBJECT

private:
    // Empties the control as the user would and leaves it with Tab.
    void clearAndLeave(const QString& name)
    {
        grimtally::test::clearText(control(name));
        grimtally::test::pressTab(control(name));
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
        QVERIFY(openWithTestChoices());
        QVERIFY(openRow(0));
        enterRecord();
    }

    void cleanup() { closeSession(); }

    // Every combo box's exit reaches the form: an emptied box gets entry 0 back, and a row
    // that its none word switches off shows empty and disabled. What else follows is the
    // form's rule, tested in the core.
    void everyEmptiedComboBoxGetsEntryZero()
    {
        for (const FieldInfo& info : kFieldTable) {
            if (info.kind != FieldKind::Choice)
                continue;
            const QString name = QString::fromLatin1(info.control);
            auto* box = qobject_cast<ComboBox*>(control(name));
            QVERIFY2(box && box->entryCount() > 1, qPrintable(name));
            enter(name, box->itemText(1));
            clearAndLeave(name);
            QCOMPARE(text(name), box->itemText(0));
            if (!info.optional)
                continue;
            for (const FieldInfo& inRow : kFieldTable) {
                if (inRow.row != info.field || inRow.field == info.field)
                    continue;
                const QString input = QString::fromLatin1(inRow.control);
                QVERIFY2(text(input).isEmpty() && !control(input)->isEnabled(), inRow.key.data());
            }
        }
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
        QTest::newRow("SP 5000") << u"SP_O1"_s << u"5000"_s << u"999"_s << u"SP_O2"_s
                                 << u"175"_s; // 3 + 166 + 6
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
};

QTEST_MAIN(EditorConfirm)
#include "tst_editor_confirm.moc"
