// Nothing lost to other programs or to a crash: Save as asks before writing over a file that
// another program changed since it was opened or saved, and the recovery journal gives a
// killed session's unsaved changes back at the next start.
#include "core/exchange/enemyjson.h"
#include "core/records/datafile.h"
#include "core/text/textfile.h"
#include "tests/ui/support/windowsession.h"
#include "ui/app/tform1.h"
#include "ui/toolkit/cp932text.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QtTest>

#include <sstream>

using namespace Qt::StringLiterals;
using namespace grimtally;
using grimtally::ui::Answer;
using grimtally::ui::TForm1;

namespace {

std::string recordLine(const std::string& name, int level)
{
    std::vector<std::string> fields(kFieldCount, "1");
    fields[FieldLevel] = std::to_string(level);
    return formatRecordLine(name, FieldList(std::span<const std::string>(fields)));
}

EnemyRecord enemy(const std::string& name, int level)
{
    std::vector<std::string> fields(kFieldCount, "2");
    fields[FieldLevel] = std::to_string(level);
    return {name, FieldList(std::span<const std::string>(fields))};
}

std::string bytesOf(const RecordStore& store)
{
    std::ostringstream out;
    writeDataFile(out, store);
    return out.str();
}

// The journals and the journals kept aside in the working folder.
QStringList journalFiles()
{
    return QDir(QDir::currentPath())
        .entryList({u".grimtally-recovery-*"_s, u"grimtally-unsaved-*"_s},
                   QDir::Files | QDir::Hidden, QDir::Name);
}

const QString kRestoreQuestion = u"Unsaved changes from an earlier run were found. Restore them?"_s;

} // namespace

class RecoveryTest : public QObject, public test::WindowSession {
    Q_OBJECT

private:
    // The program ends without closing, as when it is killed: the journal stays.
    void kill() { form_.reset(); }
    void open(const QString& name)
    {
        dialogs_->chooseFile(path(name));
        form_->Menu_OpenClick();
    }
    void saveAs(const QString& name)
    {
        dialogs_->chooseFile(path(name));
        form_->Menu_AnewClick();
    }
    void registerAt(int row, EnemyRecord record)
    {
        form_->selectRow(row);
        form_->registerRecord(std::move(record));
    }

private Q_SLOTS:
    void init() { QVERIFY(openSession()); }
    void cleanup() { closeSession(); }

    void saveAsAsksBeforeWritingOverAFileAnotherProgramChanged()
    {
        startMainWindow();
        writeFile(u"one.txt"_s, recordLine("A", 1) + "\r\n");
        open(u"one.txt"_s);

        // Unchanged: only the overwrite question of old.
        dialogs_->answer(Answer::Ok);
        saveAs(u"one.txt"_s);
        QCOMPARE(dialogs_->questions.size(), 1u);

        const std::string theirs = recordLine("B", 2) + "\r\n";
        writeFile(u"one.txt"_s, theirs);
        const QString changed = u"one.txt was changed by another program since it was opened or "
                                u"saved.\r\n\r\nWrite over it?"_s;
        dialogs_->answer(Answer::Ok);
        dialogs_->answer(Answer::Cancel);
        saveAs(u"one.txt"_s);
        QCOMPARE(dialogs_->questions.back().text, changed);
        QCOMPARE(dialogs_->questions.back().icon, ui::MessageIcon::Warning);
        QCOMPARE(dialogs_->questions.back().buttons, ui::MessageButtons::YesNoCancel);
        QCOMPARE(readWholeFile(ui::toPath(path(u"one.txt"_s))), theirs);

        // No: the save dialog again, for another name.
        dialogs_->answer(Answer::Ok);
        dialogs_->answer(Answer::No);
        dialogs_->chooseFile(path(u"one.txt"_s));
        dialogs_->chooseFile(path(u"two.txt"_s));
        form_->Menu_AnewClick();
        QCOMPARE(readWholeFile(ui::toPath(path(u"one.txt"_s))), theirs);
        QCOMPARE(readWholeFile(ui::toPath(path(u"two.txt"_s))), recordLine("A", 1) + "\r\n");

        // Removed since: asked too; Yes writes it again. Merging does not ask.
        open(u"one.txt"_s);
        QFile::remove(path(u"one.txt"_s));
        writeFile(u"more.txt"_s, recordLine("C", 3) + "\r\n");
        dialogs_->chooseFile(path(u"more.txt"_s));
        form_->Menu_MergeClick();
        const std::size_t asked = dialogs_->questions.size();
        dialogs_->answer(Answer::Yes);
        saveAs(u"one.txt"_s);
        QCOMPARE(dialogs_->questions.size(), asked + 1);
        QCOMPARE(dialogs_->questions.back().text, changed);
        QCOMPARE(readWholeFile(ui::toPath(path(u"one.txt"_s))),
                 theirs + recordLine("C", 3) + "\r\n");
    }

    void aKilledSessionIsOfferedBackExactly()
    {
        startMainWindow();
        writeFile(u"base.txt"_s, recordLine("Goblin", 1) + "\r\n" + recordLine("Orc", 2) + "\r\n" +
                                     recordLine("Troll", 3) + "\r\n");
        open(u"base.txt"_s);
        QVERIFY(!form_->recoveryJournal());

        // Every command that changes the store.
        form_->selectRow(1);
        form_->Copy1Click();
        QVERIFY(form_->recoveryJournal());
        form_->selectRow(2);
        dialogs_->answer(Answer::Ok);
        form_->Delete1Click();
        registerAt(0, enemy("Imp", 4));
        registerAt(1, enemy("Goblin king", 5));
        writeFile(u"merge.txt"_s, recordLine("Bat", 1) + "\r\n");
        dialogs_->chooseFile(path(u"merge.txt"_s));
        form_->Menu_MergeClick();
        RecordStore imported;
        imported.append(enemy("Owl", 6));
        std::ostringstream json;
        writeEnemiesJson(json, imported);
        writeFile(u"owl.json"_s, json.str());
        dialogs_->chooseFile(path(u"owl.json"_s));
        form_->findChild<QAction*>(u"Menu_ImportJson"_s)->trigger();
        QCOMPARE(form_->store().recordCount(), 6);
        const std::string expected = bytesOf(form_->store());
        kill();
        QCOMPARE(journalFiles().size(), 1);

        startMainWindow();
        QCOMPARE(form_->store().recordCount(), 0);
        const std::size_t asked = dialogs_->questions.size(); // the delete question
        dialogs_->answer(Answer::Yes);
        form_->offerRecovery();
        QCOMPARE(dialogs_->questions.size(), asked + 1);
        QCOMPARE(dialogs_->questions.back().text, kRestoreQuestion);
        QCOMPARE(dialogs_->questions.back().icon, ui::MessageIcon::Question);
        QCOMPARE(dialogs_->questions.back().buttons, ui::MessageButtons::YesNo);
        QCOMPARE(bytesOf(form_->store()), expected);
        QVERIFY(form_->hasUnsavedChanges());
        QVERIFY(form_->recoveryJournal());

        // Another program changed the file meanwhile: still nothing lost, and said so.
        writeFile(u"base.txt"_s, recordLine("Newt", 1) + "\r\n");
        kill();
        startMainWindow();
        dialogs_->answer(Answer::Yes);
        dialogs_->answer(Answer::Ok);
        form_->offerRecovery();
        QVERIFY(
            dialogs_->questions.back().text.contains(u"base.txt was changed by another program"_s));
        QCOMPARE(dialogs_->questions.back().icon, ui::MessageIcon::Information);
        QCOMPARE(form_->store().name(1), std::string_view("Newt"));
        // The Orc was no longer there to delete; the Goblin's edit came as one more enemy.
        QCOMPARE(form_->store().recordCount(), 6);

        // An orderly close, whatever the answer, leaves nothing to offer.
        dialogs_->answer(Answer::No);
        QCloseEvent close;
        QCoreApplication::sendEvent(form_.get(), &close);
        QVERIFY(close.isAccepted());
        QCOMPARE(journalFiles(), QStringList());
    }

    void saveNewAndNoEndTheJournal()
    {
        startMainWindow();
        registerAt(0, enemy("Imp", 1));
        QVERIFY(form_->recoveryJournal());
        saveAs(u"saved.txt"_s);
        QVERIFY(!form_->recoveryJournal());
        QCOMPARE(journalFiles(), QStringList());

        registerAt(0, enemy("Imp", 2));
        QVERIFY(form_->recoveryJournal());
        dialogs_->answer(Answer::No); // the save question of New
        form_->Menu_NewClick();
        QCOMPARE(journalFiles(), QStringList());

        // No keeps the journal under a dated name, never offered again.
        registerAt(0, enemy("Imp", 3));
        kill();
        startMainWindow();
        dialogs_->answer(Answer::No);
        form_->offerRecovery();
        QCOMPARE(form_->store().recordCount(), 0);
        const QStringList kept = journalFiles();
        QCOMPARE(kept.size(), 1);
        QVERIFY(kept[0].startsWith(u"grimtally-unsaved-"_s));
        kill();
        startMainWindow();
        form_->offerRecovery(); // asks nothing
        QCOMPARE(dialogs_->questions.size(), 2u);
    }
};

QTEST_MAIN(RecoveryTest)
#include "tst_recovery.moc"
