// The editor's record binding through the windows: a record loaded into the controls and
// registered again, the four command buttons and the close box, a sorted list, and bytes
// with two codes. What a record stores is the enemy form's, tested in the core.
#include "core/records/record.h"
#include "core/text/commatext.h"
#include "tests/ui/support/editorsession.h"
#include "ui/app/tform1.h"
#include "ui/editor/teditor1.h"
#include "ui/toolkit/checkbox.h"
#include "ui/toolkit/combobox.h"
#include "ui/toolkit/editbox.h"
#include "ui/toolkit/memo.h"
#include "ui/toolkit/spinedit.h"

#include <QPushButton>
#include <QTreeView>
#include <QtTest>

#include <map>

using namespace grimtally;
using namespace grimtally::ui;
using namespace Qt::StringLiterals;

using Fields = std::vector<std::string>;

namespace {

// What registering the new-entry row at once stores: level 1 and ones everywhere, the
// first entry of each list, the rules' values, and nothing where a row is optional.
Fields newRecordFields()
{
    Fields f(kFieldCount);
    f[FieldClassify] = "Beast";
    f[FieldLevel] = f[FieldCelebrity] = f[FieldDex] = f[FieldMainSpeed] = "1";
    f[FieldMainMovement] = "Walk";
    f[FieldCountLow] = "1";
    f[FieldFrequency] = "Common";
    f[FieldInt] = "Dim";
    f[FieldReaction] = "Friendly";
    f[FieldAttack1Method] = "Sword";
    f[FieldAttack1Hit] = "10";
    f[FieldAttack1Damage] = "2";
    f[FieldDodge] = "7";
    f[FieldPrevent] = "3";
    f[FieldHP] = f[FieldSP] = "1";
    f[FieldHPResist] = f[FieldSPResist] = "7";
    f[FieldSense] = "Normal";
    f[FieldStrength] = "1";
    f[FieldSize] = "Medium";
    f[FieldHardness] = "Soft";
    return f;
}

// A record with every optional row filled, as the program would have derived it.
Fields fullRecordFields()
{
    Fields f = newRecordFields();
    f[FieldCelebrityQualifier] = "Sages";
    f[FieldSubSpeed] = "5";
    f[FieldSubMovement] = "Fly";
    f[FieldCountHigh] = "2";
    f[FieldReaction2] = "Hostile";
    f[FieldAttack2Method] = "Bite";
    f[FieldAttack2Hit] = "10";
    f[FieldAttack2Damage] = "2";
    f[FieldAttack3Method] = "Sword";
    f[FieldAttack3Hit] = "10";
    f[FieldAttack3Damage] = "2";
    f[FieldMagic1Kind] = "Fire";
    f[FieldMagic1Level] = "1";
    f[FieldMagic1Power] = "7";
    f[FieldMagic2Kind] = "Ice";
    f[FieldMagic2Level] = "2";
    f[FieldMagic2Power] = "8";
    f[FieldMagic3Kind] = "Fire";
    f[FieldMagic3Level] = "3";
    f[FieldMagic3Power] = "9";
    f[FieldAbility] = "Regenerate,\"Poison gas\"";
    f[FieldHabitat] = "Caves";
    f[FieldLanguage] = "Common";
    f[FieldSubSenses] = "Scent";
    return f;
}

} // namespace

class EditorBinding : public QObject, private test::EditorSession {
    Q_OBJECT

private:
    RecordStore& store() { return form_->store(); }
    Fields fieldsOf(int slot) { return store().fields(slot).toStrings(); }

    void addRecord(const std::string& name, const Fields& fields)
    {
        store().append({name, FieldList(std::span<const std::string>(fields))});
        form_->ListView1Renew();
    }

    // An editor that does not come up fails the test.
    void openRow(int row) { QVERIFY(EditorSession::openRow(row)); }

    // Clicks a button of the editor and gives the one answer the question gets.
    void click(QPushButton* button, Answer answer)
    {
        dialogs_->answer(answer);
        button->click();
        QVERIFY(dialogs_->answers.empty());
    }

    void registerRecord() { click(editor_->B_Resist, Answer::Yes); }

    // Field by field, so a failure names the field.
    void compareFields(int slot, const Fields& expected)
    {
        const Fields actual = fieldsOf(slot);
        QCOMPARE(actual.size(), expected.size());
        for (std::size_t i = 0; i < actual.size(); ++i) {
            const QString message = u"field %1: \"%2\" instead of \"%3\""_s.arg(i).arg(
                QString::fromLatin1(actual[i]), QString::fromLatin1(expected[i]));
            QVERIFY2(actual[i] == expected[i], qPrintable(message));
        }
    }

private Q_SLOTS:
    void init() { QVERIFY(openWithTestChoices()); }

    void cleanup() { closeSession(); }

    void newEntryRowRegistersTheNewRecordState()
    {
        openRow(0);
        QVERIFY(editor_->Name_O->hasFocus());
        QCOMPARE(editor_->Count_O2->text(), u"----"_s);
        QVERIFY(!editor_->Movement_O22->isEnabled());
        QVERIFY(editor_->Ability_O->lines().empty());

        registerRecord();
        QCOMPARE(dialogs_->questions.back().text,
                 u"データを追加します。\r\n\r\nよろしいですか？"_s);
        QCOMPARE(dialogs_->questions.back().icon, MessageIcon::Warning);
        QCOMPARE(store().recordCount(), 1);
        QCOMPARE(store().name(1), std::string());
        compareFields(1, newRecordFields());
        QVERIFY(!editor_->isVisible());
        QVERIFY(form_->isEnabled());
        QCOMPARE(form_->ListView1->model()->rowCount(), 2);
    }

    // A record made in the editor comes back field for field when loaded and registered.
    void loadAndRegisterKeepsEveryField()
    {
        openRow(0);
        enter(editor_->Name_O, u"Cave troll"_s);
        enter(editor_->Level_O, u"4"_s);
        enter(editor_->Str_O, u"17"_s);
        enter(editor_->Dex_O, u"14"_s);
        enter(editor_->Celebrity_O2, u"Sages"_s);
        enter(editor_->Movement_O21, u"Fly"_s);
        enter(editor_->Movement_O22, u"6"_s);
        enter(editor_->Attack_O21, u"Bite"_s);
        enter(editor_->Attack_O12, u"30"_s); // a user's hit is kept as typed
        enter(editor_->Int_O, u"Clever"_s);
        enter(editor_->Magic_O31, u"Ice"_s);
        enter(editor_->Classify_O, u"Ogre"_s); // no entry: stored as typed
        enter(editor_->Habitat_O, u"Deep caves"_s);
        // Values the user wrote over the derived ones: loading must not derive them again.
        enter(editor_->Attack_O14, u"9"_s);
        enter(editor_->Attack_O24, u"x"_s);
        enter(editor_->Defence_O2, u"20"_s);
        enter(editor_->Defence_O4, u"15"_s);
        enter(editor_->HP_O2, u"21"_s);
        enter(editor_->SP_O2, u"22"_s);
        enter(editor_->Magic_O33, u"25"_s);
        editor_->SubSenseChecks.at(1)->setChecked(true);
        editor_->SubSenseChecks.at(2)->setChecked(true);
        editor_->Ability_O->setLines({"Regenerate", "Fear, at night"});
        registerRecord();

        const Fields made = fieldsOf(1);
        QCOMPARE(made.at(FieldClassify), std::string("Ogre"));
        QCOMPARE(made.at(FieldAttack1Hit), std::string("30"));
        QCOMPARE(made.at(FieldSubSpeed), std::string("6"));
        QCOMPARE(made.at(FieldMagic3Level), std::string("1"));
        QCOMPARE(made.at(FieldMagic3Power), std::string("25"));
        QCOMPARE(made.at(FieldDodge), std::string("20"));
        QCOMPARE(made.at(FieldSubSenses), std::string("Scent,B"));
        QCOMPARE(made.at(FieldAbility), std::string("Regenerate,\"Fear, at night\""));

        // Between the two, another record was on screen, so nothing is left over from it.
        addRecord("Other", fullRecordFields());
        openRow(2);
        registerRecord();
        openRow(1);
        QCOMPARE(editor_->Name_O->text(), u"Cave troll"_s);
        registerRecord();
        QCOMPARE(store().recordCount(), 2);
        QCOMPARE(store().name(1), std::string("Cave troll"));
        compareFields(1, made);
        compareFields(2, fullRecordFields());
    }

    void reloadAndReset()
    {
        const QString reload = u"データを編集前のものに戻します。\r\n\r\nよろしいですか？"_s;
        const QString reset = u"データを新規作成のものと同じにします。\r\n\r\nよろしいですか？"_s;
        addRecord("Stored", fullRecordFields());

        openRow(1);
        enter(editor_->Name_O, u"Edited"_s);
        enter(editor_->Level_O, u"9"_s);
        click(editor_->B_Reload, Answer::Cancel);
        QCOMPARE(dialogs_->questions.back().text, reload);
        QCOMPARE(dialogs_->questions.back().buttons, MessageButtons::OkCancel);
        QCOMPARE(editor_->Name_O->text(), u"Edited"_s);
        click(editor_->B_Reload, Answer::Ok);
        QCOMPARE(editor_->Name_O->text(), u"Stored"_s);
        QCOMPARE(editor_->Level_O->text(), u"1"_s);
        QCOMPARE(editor_->Magic_O23->text(), u"8"_s);

        // Reset shows the new-record state; the store keeps the record until registering.
        click(editor_->B_Reset, Answer::Ok);
        QCOMPARE(dialogs_->questions.back().text, reset);
        QVERIFY(editor_->Name_O->text().isEmpty());
        QCOMPARE(editor_->Magic_O21->text(), u"----"_s);
        compareFields(1, fullRecordFields());
        registerRecord();
        QCOMPARE(store().recordCount(), 1);
        QCOMPARE(store().name(1), std::string());
        compareFields(1, newRecordFields());

        openRow(0);
        enter(editor_->Name_O, u"Draft"_s);
        enter(editor_->Attack_O31, u"Bite"_s);
        click(editor_->B_Reload, Answer::Ok);
        QVERIFY(editor_->Name_O->text().isEmpty());
        QCOMPARE(editor_->Attack_O31->text(), u"----"_s);
        QVERIFY(!editor_->Attack_O32->isEnabled());
    }

    // Each way out of the editor: what is asked, whether it stays open, what is stored.
    void leavingTheEditor_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("button"); // "close" for the window's close box
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<QString>("storedName"); // of slot 1; empty when none stored

        const QString add = u"データを追加します。\r\n\r\nよろしいですか？"_s;
        const QString overwrite = u"データを上書きします。\r\n\r\nよろしいですか？"_s;
        const QString cancel = u"編集したデータを保存しません。\r\n\r\nよろしいですか？"_s;
        QTest::newRow("add: yes") << 0 << u"B_Resist"_s << Answer::Yes << add << false
                                  << u"Edited"_s;
        QTest::newRow("add: no") << 0 << u"B_Resist"_s << Answer::No << add << false << QString();
        QTest::newRow("add: cancel")
            << 0 << u"B_Resist"_s << Answer::Cancel << add << true << QString();
        QTest::newRow("overwrite: yes")
            << 1 << u"B_Resist"_s << Answer::Yes << overwrite << false << u"Edited"_s;
        QTest::newRow("overwrite: no")
            << 1 << u"B_Resist"_s << Answer::No << overwrite << false << u"Stored"_s;
        QTest::newRow("cancel: ok")
            << 1 << u"B_Cancel"_s << Answer::Ok << cancel << false << u"Stored"_s;
        QTest::newRow("cancel: cancel")
            << 1 << u"B_Cancel"_s << Answer::Cancel << cancel << true << u"Stored"_s;
        QTest::newRow("close box: cancel")
            << 1 << u"close"_s << Answer::Cancel << overwrite << true << u"Stored"_s;
        QTest::newRow("close box: no")
            << 1 << u"close"_s << Answer::No << overwrite << false << u"Stored"_s;
        QTest::newRow("close box: yes")
            << 1 << u"close"_s << Answer::Yes << overwrite << false << u"Edited"_s;
    }

    void leavingTheEditor()
    {
        QFETCH(int, row);
        QFETCH(QString, button);
        QFETCH(Answer, answer);
        QFETCH(QString, question);
        QFETCH(bool, staysOpen);
        QFETCH(QString, storedName);

        if (row == 1)
            addRecord("Stored", fullRecordFields());
        const int records = store().recordCount();
        openRow(row);
        enter(editor_->Name_O, u"Edited"_s);
        dialogs_->answer(answer);
        if (button == u"close"_s)
            editor_->close();
        else
            editor_->findChild<QPushButton*>(button)->click();

        QCOMPARE(dialogs_->questions.size(), std::size_t(1));
        QCOMPARE(dialogs_->questions.back().text, question);
        QCOMPARE(dialogs_->questions.back().icon, MessageIcon::Warning);
        QCOMPARE(editor_->isVisible(), staysOpen);
        QCOMPARE(form_->isEnabled(), !staysOpen);
        if (staysOpen)
            QCOMPARE(editor_->Name_O->text(), u"Edited"_s);
        const bool added = row == 0 && !storedName.isEmpty();
        QCOMPARE(store().recordCount(), records + (added ? 1 : 0));
        if (!storedName.isEmpty())
            QCOMPARE(QString::fromUtf8(store().name(1)), storedName);
    }

    // The close box confirms the entry being typed in, as leaving it would, before it asks.
    void closeBoxConfirmsTheEntryFirst()
    {
        addRecord("Stored", fullRecordFields());
        const std::vector<std::tuple<SpinEdit*, QString, int, std::string>> cases{
            {editor_->Level_O, QString(), FieldLevel, "1"},
            {editor_->Str_O, u"1000"_s, FieldStrength, "999"}};
        for (const auto& [entry, typed, field, stored] : cases) {
            openRow(1);
            enter(entry, typed);
            dialogs_->answer(Answer::Yes);
            editor_->close();
            QCOMPARE(fieldsOf(1).at(std::size_t(field)), stored);
        }
    }

    // Loading choices with a stored enemy open shows that enemy again, never a blank form
    // that registering would write over it.
    void loadingChoicesKeepsTheOpenEnemy()
    {
        addRecord("Stored", fullRecordFields());
        openRow(1);
        enter(editor_->Name_O, u"Edited"_s);
        dialogs_->chooseFile(u"Choices.txt"_s);
        editor_->B_LoadChoices->click();
        QCOMPARE(editor_->Name_O->text(), u"Stored"_s);
        registerRecord();
        compareFields(1, fullRecordFields());
    }

    void sortedListEditsTheRecordItShows()
    {
        for (const auto& [name, level] : {std::pair{"Ant", "5"}, {"Bat", "2"}, {"Cat", "9"}}) {
            Fields fields = newRecordFields();
            fields[FieldLevel] = level;
            addRecord(name, fields);
        }
        form_->ListView1ColumnClick(2); // the level column
        const QString shown = form_->ListView1->model()->index(1, 0).data().toString();
        QCOMPARE_NE(shown, u"Ant"_s); // the order did change

        openRow(1);
        QCOMPARE(editor_->Name_O->text(), shown);
        enter(editor_->Habitat_O, u"Attic"_s);
        registerRecord();

        QCOMPARE(store().recordCount(), 3);
        for (int slot = 1; slot <= 3; ++slot) {
            const bool edited = QString::fromUtf8(store().name(slot)) == shown;
            QCOMPARE(fieldsOf(slot).at(FieldHabitat), std::string(edited ? "Attic" : ""));
        }
    }

    // Characters with two codes (NEC and IBM rows) keep the bytes they were read with.
    void twoCodeBytesSurvive()
    {
        const std::string nec = "\x87\x9A";      // decodes to a character encoded as 81 E6
        const std::string ibm = "\xFA\x54";      // encoded back as 81 CA
        const std::string selected = "\xED\x40"; // NEC-selected IBM row, encoded as FA 5C
        Fields fields = fullRecordFields();
        fields[FieldClassify] = nec + "Beast";
        fields[FieldHabitat] = ibm + selected;
        fields[FieldLanguage] = nec;
        fields[FieldAttack1Damage] = selected;
        fields[FieldAbility] = joinCommaText(Fields{nec + " " + ibm, selected});
        const std::string name = selected + nec + ibm;
        addRecord(name, fields);

        openRow(1);
        registerRecord();
        QCOMPARE(store().name(1), name);
        compareFields(1, fields);
    }
};

QTEST_MAIN(EditorBinding)
#include "tst_editor_binding.moc"
