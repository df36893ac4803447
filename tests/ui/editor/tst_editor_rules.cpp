// The editor's derived values as a user sees them: typing into any input re-derives exactly
// what depends on it, and a choice-file flaw shows as one error box. The rules themselves
// and their worked numbers are the enemy form's, tested in the core.
#include "tests/ui/support/editorsession.h"
#include "tests/ui/support/uitest.h"
#include "ui/app/tform1.h"
#include "ui/editor/teditor1.h"
#include "ui/toolkit/editbox.h"
#include "ui/toolkit/spinedit.h"

#include <QApplication>
#include <QtTest>

#include <map>

using namespace grimtally;
using namespace grimtally::ui;
using namespace Qt::StringLiterals;

namespace {

// Every control a rule writes, with the inputs that switch rows on and off.
const QStringList kDerived = {u"Attack_O12"_s, u"Attack_O13"_s,  u"Attack_O14"_s, u"Attack_O22"_s,
                              u"Attack_O23"_s, u"Attack_O24"_s,  u"Attack_O32"_s, u"Attack_O33"_s,
                              u"Attack_O34"_s, u"Defence_O2"_s,  u"Defence_O3"_s, u"Defence_O4"_s,
                              u"HP_O2"_s,      u"HP_O3"_s,       u"SP_O2"_s,      u"SP_O3"_s,
                              u"Magic_O12"_s,  u"Magic_O13"_s,   u"Magic_O14"_s,  u"Magic_O22"_s,
                              u"Magic_O23"_s,  u"Magic_O24"_s,   u"Magic_O32"_s,  u"Magic_O33"_s,
                              u"Magic_O34"_s,  u"Movement_O22"_s};

} // namespace

class EditorRules : public QObject, private test::EditorSession {
    Q_OBJECT

private:
    std::map<QString, QString> snapshot()
    {
        std::map<QString, QString> texts;
        for (const QString& name : kDerived)
            texts[name] = text(name);
        return texts;
    }

    // Level 3, strength 12, dexterity 14, HP 20, SP 5, Clever; every optional row on.
    void enterFullRecord()
    {
        enter(u"Level_O"_s, u"3"_s);
        enter(u"Str_O"_s, u"12"_s);
        enter(u"Dex_O"_s, u"14"_s);
        enter(u"HP_O1"_s, u"20"_s);
        enter(u"SP_O1"_s, u"5"_s);
        enter(u"Int_O"_s, u"Clever"_s);
        enter(u"Movement_O21"_s, u"Fly"_s);
        enter(u"Attack_O21"_s, u"Bite"_s);
        enter(u"Attack_O31"_s, u"Maul"_s);
        enter(u"Magic_O11"_s, u"Fire"_s);
        enter(u"Magic_O21"_s, u"Ice"_s);
        enter(u"Magic_O31"_s, u"Fire"_s);
        editor_->Name_O->setFocus();
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(openWithTestChoices());
        QVERIFY(openRow(0));
    }

    void cleanup() { closeSession(); }

    // Every input of the editor, changed by typing, rewrites exactly the values that depend
    // on it: the derived values are first overwritten with marks no rule would write, so a
    // value counts as re-derived when its mark is gone.
    void everyInputReachesItsDependants_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("dependants");

        const QStringList attacks = {u"Attack_O12"_s, u"Attack_O13"_s, u"Attack_O14"_s,
                                     u"Attack_O22"_s, u"Attack_O23"_s, u"Attack_O24"_s,
                                     u"Attack_O32"_s, u"Attack_O33"_s, u"Attack_O34"_s};
        const QStringList dodge = {u"Defence_O2"_s, u"Defence_O3"_s};
        const QStringList hp = {u"HP_O2"_s, u"HP_O3"_s};
        const QStringList sp = {u"SP_O2"_s, u"SP_O3"_s};
        const QStringList magic1 = {u"Magic_O13"_s, u"Magic_O14"_s};
        const QStringList magic2 = {u"Magic_O23"_s, u"Magic_O24"_s};
        const QStringList magic3 = {u"Magic_O33"_s, u"Magic_O34"_s};

        QTest::newRow("level") << u"Level_O"_s << u"4"_s
                               << attacks + dodge + QStringList{u"Defence_O4"_s} + hp + sp;
        QTest::newRow("strength") << u"Str_O"_s << u"18"_s << attacks;
        QTest::newRow("dexterity") << u"Dex_O"_s << u"20"_s << dodge;
        QTest::newRow("size") << u"Size_O"_s << u"Large"_s << dodge;
        QTest::newRow("hardness") << u"Hardness_O"_s << u"Tough"_s << QStringList{u"Defence_O4"_s};
        QTest::newRow("HP") << u"HP_O1"_s << u"30"_s << hp;
        QTest::newRow("SP") << u"SP_O1"_s << u"30"_s << sp;
        QTest::newRow("intelligence") << u"Int_O"_s << u"Dim"_s << magic1 + magic2 + magic3;
        QTest::newRow("attack 1") << u"Attack_O11"_s << u"Bite"_s << attacks.mid(0, 3);
        QTest::newRow("attack 2") << u"Attack_O21"_s << u"Sword"_s << attacks.mid(3, 3);
        QTest::newRow("attack 3") << u"Attack_O31"_s << u"Sword"_s << attacks.mid(6, 3);
        QTest::newRow("magic 1") << u"Magic_O11"_s << u"Ice"_s << magic1;
        QTest::newRow("magic 2") << u"Magic_O21"_s << u"Fire"_s << magic2;
        QTest::newRow("magic 3") << u"Magic_O31"_s << u"Ice"_s << magic3;
        QTest::newRow("magic level 1") << u"Magic_O12"_s << u"3"_s << magic1;
        QTest::newRow("magic level 2") << u"Magic_O22"_s << u"3"_s << magic2;
        QTest::newRow("magic level 3") << u"Magic_O32"_s << u"3"_s << magic3;
        QTest::newRow("sub movement")
            << u"Movement_O21"_s << u"----"_s << QStringList{u"Movement_O22"_s};
        QTest::newRow("hit 1") << u"Attack_O12"_s << u"20"_s << QStringList{u"Attack_O13"_s};
        QTest::newRow("hit 2") << u"Attack_O22"_s << u"20"_s << QStringList{u"Attack_O23"_s};
        QTest::newRow("hit 3") << u"Attack_O32"_s << u"20"_s << QStringList{u"Attack_O33"_s};
        QTest::newRow("dodge") << u"Defence_O2"_s << u"20"_s << QStringList{u"Defence_O3"_s};
        QTest::newRow("HP resist") << u"HP_O2"_s << u"20"_s << QStringList{u"HP_O3"_s};
        QTest::newRow("SP resist") << u"SP_O2"_s << u"20"_s << QStringList{u"SP_O3"_s};
        QTest::newRow("power 1") << u"Magic_O13"_s << u"20"_s << QStringList{u"Magic_O14"_s};
        QTest::newRow("power 2") << u"Magic_O23"_s << u"20"_s << QStringList{u"Magic_O24"_s};
        QTest::newRow("power 3") << u"Magic_O33"_s << u"20"_s << QStringList{u"Magic_O34"_s};
    }

    void everyInputReachesItsDependants()
    {
        QFETCH(QString, input);
        QFETCH(QString, value);
        QFETCH(QStringList, dependants);

        enterFullRecord();
        for (const QString& name :
             {u"Attack_O12"_s, u"Attack_O22"_s, u"Attack_O32"_s, u"Defence_O2"_s, u"HP_O2"_s,
              u"SP_O2"_s, u"Magic_O13"_s, u"Magic_O23"_s, u"Magic_O33"_s})
            qobject_cast<SpinEdit*>(control(name))->setText(u"50"_s);
        for (EditBox* damage :
             {editor_->Attack_O14, editor_->Attack_O24, editor_->Attack_O34, editor_->Defence_O4})
            damage->setText(u"zz"_s);

        const std::map<QString, QString> before = snapshot();
        enter(input, value);
        QCOMPARE(text(input), value);
        const std::map<QString, QString> after = snapshot();

        QStringList changed;
        for (const auto& [name, old] : before) {
            if (name != input && after.at(name) != old)
                changed << name;
        }
        changed.sort();
        dependants.sort();
        QCOMPARE(changed, dependants);
    }

    // A flaw of the choice file shows once as an error box; hit and damage stay as they were.
    void ruleErrorKeepsHitAndDamage_data()
    {
        QTest::addColumn<QString>("method");
        QTest::newRow("critical 36") << u"Divide"_s;
    }

    void ruleErrorKeepsHitAndDamage()
    {
        QFETCH(QString, method);
        enter(u"Level_O"_s, u"3"_s);
        enter(u"Str_O"_s, u"12"_s);
        const QString hit = text(u"Attack_O12"_s);
        const QString damage = text(u"Attack_O14"_s);
        QCOMPARE(hit, u"12"_s);

        dialogs_->answer(Answer::Ok);
        const std::size_t asked = dialogs_->questions.size();
        enter(u"Attack_O11"_s, method);
        QCOMPARE(dialogs_->questions.size(), asked + 1);
        const auto& box = dialogs_->questions.back();
        QCOMPARE(box.icon, MessageIcon::Error);
        QVERIFY2(box.text.contains(method), qPrintable(box.text));
        QCOMPARE(text(u"Attack_O12"_s), hit);
        QCOMPARE(text(u"Attack_O14"_s), damage);
    }
};

QTEST_MAIN(EditorRules)
#include "tst_editor_rules.moc"
