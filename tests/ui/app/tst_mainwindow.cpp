// The main window: start-up words and columns, the data file commands, the list's sort
// cycle, copy, delete, the popup menu and the close question.
#include "core/records/datafile.h"
#include "core/text/inifile.h"
#include "core/text/textfile.h"
#include "tests/ui/support/uitest.h"
#include "tests/ui/support/windowsession.h"
#include "ui/app/tform1.h"
#include "ui/toolkit/cp932text.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QHeaderView>
#include <QTreeView>
#include <QtTest>

#include <optional>
#include <utility>

using namespace Qt::StringLiterals;
using namespace std::string_literals;
using namespace grimtally;
using grimtally::test::ScriptedDialogs;
using grimtally::ui::Answer;
using grimtally::ui::TForm1;

namespace {

// A record line with the given name, classification and level; the other fields are plain
// numbers so that every line splits into exactly 48 items.
std::string recordLine(const std::string& name, const std::string& classify, int level)
{
    std::vector<std::string> fields(kFieldCount, "1");
    fields[FieldClassify] = classify;
    fields[FieldLevel] = std::to_string(level);
    return formatRecordLine(name, FieldList(std::span<const std::string>(fields)));
}

std::string fileBytes(const QString& file)
{
    return readWholeFile(ui::toPath(file));
}

// What the list's viewport was asked to paint since the last take().
struct PaintedRegion : QObject {
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion take() { return std::exchange(painted, QRegion()); }
};

} // namespace

class MainWindowTest : public QObject, public test::WindowSession {
    Q_OBJECT

private:
    QString cell(int row, int column) const
    {
        const QAbstractItemModel* model = form_->ListView1->model();
        return model->data(model->index(row, column), Qt::DisplayRole).toString();
    }
    QStringList names() const
    {
        QStringList result;
        for (int row = 0; row < form_->ListView1->model()->rowCount(); ++row)
            result << cell(row, 0);
        return result;
    }
    // Opens a file of the given lines through Files > Open.
    void openFile(const QString& name, const std::string& bytes)
    {
        writeFile(name, bytes);
        dialogs_->chooseFile(path(name));
        form_->Menu_OpenClick();
    }

private Q_SLOTS:
    void init() { QVERIFY(openSession()); }
    void cleanup() { closeSession(); }

    void startsWithDefaultWordsAndWritesThemBack()
    {
        startMainWindow();
        QCOMPARE(form_->windowTitle(), u"Grimtally"_s);
        QCOMPARE(form_->objectName(), u"TForm1"_s);
        const QAbstractItemModel* model = form_->ListView1->model();
        QCOMPARE(model->columnCount(), 20);
        const QStringList expected = {
            u"Name"_s,         u"Classify"_s,      u"Monster Level"_s, u"Celebrity"_s,
            u"Dexterity"_s,    u"Speed"_s,         u"Count"_s,         u"Frequency"_s,
            u"Intelligence"_s, u"Reaction"_s,      u"Hit/Damage 1"_s,  u"Hit/Damage 2"_s,
            u"Hit/Damage 3"_s, u"Dodge/Prevent"_s, u"HP/Resist"_s,     u"SP/Resist"_s,
            u"Ability"_s,      u"Habitat"_s,       u"Language"_s,      u"Sense"_s};
        for (int column = 0; column < 20; ++column)
            QCOMPARE(model->headerData(column, Qt::Horizontal).toString(), expected[column]);
        QCOMPARE(form_->ListView1->columnWidth(0), 100);
        QCOMPARE(names(), QStringList{u"(Anew)"_s});

        const IniFile written = IniFile::load("Language.txt");
        const char* keys[] = {"slash",  "hyphen",  "name",    "classify",  "level", "celebrity",
                              "dex",    "speed",   "count",   "frequency", "int",   "reaction",
                              "hit",    "damage",  "dodge",   "prevent",   "hp",    "sp",
                              "resist", "ability", "habitat", "language",  "sense"};
        for (const char* key : keys)
            QVERIFY2(written.value("common", key).has_value(), key);
        QCOMPARE(written.value("common", "level"), std::optional<std::string>("Monster Level"));
        QCOMPARE(written.value("list", "anew"), std::optional<std::string>("Anew"));
        QVERIFY(dialogs_->questions.empty());
    }

    void keepsPresentWordsAndOtherSections()
    {
        writeFile(u"Language.txt"_s, "[common]\r\nslash=\r\nhit=Strike\r\nresist=Ward\r\n"
                                     "[list]\r\nanew=New one\r\n[mine]\r\nkeep=me\r\n");
        startMainWindow();
        const QAbstractItemModel* model = form_->ListView1->model();
        QCOMPARE(model->headerData(13, Qt::Horizontal).toString(), u"DodgePrevent"_s);
        QCOMPARE(model->headerData(10, Qt::Horizontal).toString(), u"StrikeDamage 1"_s);
        QCOMPARE(model->headerData(12, Qt::Horizontal).toString(), u"StrikeDamage 3"_s);
        QCOMPARE(model->headerData(14, Qt::Horizontal).toString(), u"HPWard"_s);
        QCOMPARE(model->headerData(15, Qt::Horizontal).toString(), u"SPWard"_s);
        QCOMPARE(names(), QStringList{u"(New one)"_s});

        const IniFile written = IniFile::load("Language.txt");
        QCOMPARE(written.value("common", "slash"), std::optional<std::string>(""));
        QCOMPARE(written.value("mine", "keep"), std::optional<std::string>("me"));
        QCOMPARE(written.value("common", "sense"), std::optional<std::string>("Sense"));
    }

    void reportsAnUnreadableLanguageFileAndStartsAnyway()
    {
        // A folder where the file should be: it can be neither read nor replaced.
        QVERIFY(QDir(folderPath()).mkdir(u"Language.txt"_s));
        dialogs_->strict = false;
        startMainWindow();
        QCOMPARE(form_->ListView1->model()->columnCount(), 20);
        QCOMPARE(form_->ListView1->model()->headerData(2, Qt::Horizontal).toString(),
                 u"Monster Level"_s);
        QCOMPARE(names(), QStringList{u"(Anew)"_s});
        QCOMPARE(dialogs_->questions.size(), size_t(1)); // reported once, not written over
        QCOMPARE(dialogs_->questions.back().icon, ui::MessageIcon::Error);
        QVERIFY(dialogs_->questions.back().text.contains(u"Language.txt"_s));
    }

    void reportsAnUnwritableLanguageFileAndStartsAnyway()
    {
        // Readable but not replaceable: a file nobody may write.
        writeFile(u"Language.txt"_s, "[common]\r\nname=Label\r\n");
        QVERIFY(QFile::setPermissions(path(u"Language.txt"_s), QFileDevice::ReadOwner));
        dialogs_->strict = false;
        startMainWindow();
        QCOMPARE(form_->ListView1->model()->headerData(0, Qt::Horizontal).toString(), u"Label"_s);
        QCOMPARE(dialogs_->questions.size(), size_t(1));
        QCOMPARE(dialogs_->questions.back().icon, ui::MessageIcon::Error);
        QCOMPARE(fileBytes(path(u"Language.txt"_s)), std::string("[common]\r\nname=Label\r\n"));
        QFile::setPermissions(path(u"Language.txt"_s),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void opensAndMergesDataFiles()
    {
        startMainWindow();
        openFile(u"five.txt"_s, recordLine("A", "x", 1) + "\r\n" + recordLine("B", "x", 2) +
                                    "\r\n\r\n" + recordLine("C", "x", 3) + "\n" +
                                    recordLine("D", "x", 4) + "\r" + recordLine("E", "x", 5));
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"A"_s, u"B"_s, u"C"_s, u"D"_s, u"E"_s}));
        QCOMPARE(cell(3, 2), u"3"_s);

        writeFile(u"three.txt"_s, recordLine("F", "x", 6) + "\r\n" + recordLine("G", "x", 7) +
                                      "\r\n" + recordLine("H", "x", 8) + "\r\n");
        dialogs_->chooseFile(path(u"three.txt"_s));
        form_->Menu_MergeClick();
        QCOMPARE(form_->store().recordCount(), 8);
        QCOMPARE(names().mid(1),
                 (QStringList{u"A"_s, u"B"_s, u"C"_s, u"D"_s, u"E"_s, u"F"_s, u"G"_s, u"H"_s}));

        dialogs_->answer(Answer::No); // the merged collection was never saved
        openFile(u"two.txt"_s, recordLine("Y", "x", 1) + "\r\n" + recordLine("Z", "x", 1));
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"Y"_s, u"Z"_s}));

        // An empty file changes nothing and asks nothing.
        openFile(u"empty.txt"_s, "");
        QCOMPARE(form_->store().recordCount(), 2);
        QCOMPARE(dialogs_->questions.size(), size_t(1));
    }

    void refusedFileAsksAgain()
    {
        startMainWindow();
        openFile(u"good.txt"_s, recordLine("Old", "x", 1));
        const std::string bad = recordLine("Kept", "x", 1) + "\r\nthis,is,not,an,enemy\r\n";
        writeFile(u"bad.txt"_s, bad);
        writeFile(u"other.txt"_s, recordLine("P", "x", 1) + "\r\n" + recordLine("Q", "x", 2));

        // A refused file, then a good one: the good file's records replace what the bad one
        // brought in.
        dialogs_->chooseFile(path(u"bad.txt"_s));
        dialogs_->answer(Answer::Ok);
        dialogs_->chooseFile(path(u"other.txt"_s));
        form_->Menu_OpenClick();
        QCOMPARE(dialogs_->questions.size(), size_t(1));
        QCOMPARE(dialogs_->questions[0].text,
                 u"敵データではありません。\r\n選択しなおしてください。"_s);
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"P"_s, u"Q"_s}));

        // A refused file, then Cancel: its good lines stay.
        dialogs_->chooseFile(path(u"bad.txt"_s));
        dialogs_->answer(Answer::Ok);
        dialogs_->cancelFile();
        form_->Menu_OpenClick();
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"Kept"_s}));
    }

    void refusalSaysWhichLinesAndWhichEncoding()
    {
        startMainWindow();
        std::string twelveBad = recordLine("Kept", "x", 1);
        for (int i = 0; i < 12; ++i)
            twelveBad += "\r\nnot,a,record";
        writeFile(u"twelve.txt"_s, twelveBad);
        writeFile(u"one.txt"_s, "\r\nnot,a,record\r\n" + recordLine("Also", "x", 1));
        writeFile(u"utf8.txt"_s, "\xEF\xBB\xBF" + recordLine("Bom", "x", 1));
        writeFile(u"utf16.txt"_s, "\xFF\xFE\"\0B\0\"\0"s);
        for (const QString& name : {u"twelve.txt"_s, u"one.txt"_s, u"utf8.txt"_s, u"utf16.txt"_s}) {
            dialogs_->chooseFile(path(name));
            dialogs_->answer(Answer::Ok);
        }
        dialogs_->cancelFile();
        form_->Menu_OpenClick();

        QCOMPARE(dialogs_->questions.size(), size_t(4));
        for (const auto& question : dialogs_->questions)
            QCOMPARE(question.text, u"敵データではありません。\r\n選択しなおしてください。"_s);
        const QString twelve = dialogs_->questions[0].detail;
        QVERIFY2(twelve.contains(u"12 lines"_s) &&
                     twelve.contains(u"lines 2, 3, 4, 5, 6, 7, 8, 9, 10 and 11."_s),
                 qUtf8Printable(twelve));
        QVERIFY2(dialogs_->questions[1].detail.startsWith(u"Line 2 of one.txt"_s),
                 qUtf8Printable(dialogs_->questions[1].detail));
        QVERIFY(dialogs_->questions[2].detail.contains(u"UTF-8"_s));
        QVERIFY(dialogs_->questions[3].detail.contains(u"UTF-16"_s));
        // The Unicode files brought nothing: what the last refused file had is still there.
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"Also"_s}));
    }

    void newAndOpenAskToSaveChanges()
    {
        startMainWindow();
        const std::string two = recordLine("A", "x", 1) + "\r\n" + recordLine("B", "x", 2);
        openFile(u"two.txt"_s, two);
        QVERIFY(!form_->hasUnsavedChanges());
        form_->selectRow(1);
        form_->Copy1Click();
        QVERIFY(form_->hasUnsavedChanges());

        dialogs_->answer(Answer::Cancel);
        form_->Menu_NewClick();
        QCOMPARE(form_->store().recordCount(), 3);
        QCOMPARE(dialogs_->questions.back().text, u"データを保存しますか？"_s);
        QCOMPARE(dialogs_->questions.back().buttons, ui::MessageButtons::YesNoCancel);

        // Yes, but no file chosen: nothing was saved, so nothing is dropped.
        dialogs_->answer(Answer::Yes);
        dialogs_->cancelFile();
        form_->Menu_OpenClick();
        QCOMPARE(form_->store().recordCount(), 3);
        QCOMPARE(dialogs_->fileRequests.back().kind, ScriptedDialogs::FileKind::Save);

        // Yes saves, and then Open goes on.
        dialogs_->answer(Answer::Yes);
        dialogs_->chooseFile(path(u"saved.txt"_s));
        dialogs_->chooseFile(path(u"two.txt"_s));
        form_->Menu_OpenClick();
        QCOMPARE(fileBytes(path(u"saved.txt"_s)), two + "\r\n" + recordLine("A", "x", 1) + "\r\n");
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"A"_s, u"B"_s}));

        // A saved collection asks nothing; No drops the changes.
        form_->selectRow(1);
        form_->Copy1Click();
        dialogs_->chooseFile(path(u"after.txt"_s));
        form_->Menu_AnewClick();
        QVERIFY(!form_->hasUnsavedChanges());
        form_->selectRow(1);
        form_->Copy1Click();
        dialogs_->answer(Answer::No);
        form_->Menu_NewClick();
        QCOMPARE(form_->store().recordCount(), 0);
    }

    void unreadableFileLeavesTheStoreAsItWas()
    {
        startMainWindow();
        openFile(u"good.txt"_s, recordLine("Old", "x", 1));
        dialogs_->strict = false;
        dialogs_->chooseFile(path(u"vanished.txt"_s));
        form_->Menu_OpenClick();
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"Old"_s}));
        QCOMPARE(dialogs_->questions.size(), size_t(1));
        QCOMPARE(dialogs_->questions[0].icon, ui::MessageIcon::Error);
        QVERIFY(dialogs_->questions[0].text.contains(u"vanished.txt"_s));
    }

    void binaryAndHugeLinesAreRefusedNotFatal()
    {
        startMainWindow();
        std::string binary(4096, '\0');
        for (size_t i = 0; i < binary.size(); ++i)
            binary[i] = static_cast<char>(i * 37 % 256);
        const std::string huge(20 * 1024 * 1024, 'x');
        writeFile(u"binary.bin"_s, binary);
        writeFile(u"huge.txt"_s, huge);
        dialogs_->chooseFile(path(u"binary.bin"_s));
        dialogs_->answer(Answer::Ok);
        dialogs_->chooseFile(path(u"huge.txt"_s));
        dialogs_->answer(Answer::Ok);
        dialogs_->cancelFile();
        form_->Menu_OpenClick();
        QCOMPARE(dialogs_->questions.size(), size_t(2));
        QCOMPARE(form_->store().recordCount(), 0);
    }

    void savesAsWithTheOverwriteQuestion()
    {
        startMainWindow();
        const std::string line = "\"Odd \"\"One\"\"\",x,1,1,,1,1,1,,,1,,1,1,1,,1,1,1,,,,,,,1,"
                                 "1,1,1,1,1,,,,,,,,,,,,,1,,1,1,";
        openFile(u"in.txt"_s, line);
        QCOMPARE(form_->store().recordCount(), 1);

        // A name typed without an extension gets .txt.
        dialogs_->chooseFile(path(u"out"_s));
        form_->Menu_AnewClick();
        QCOMPARE(dialogs_->fileRequests.back().defaultSuffix, u"txt"_s);
        QCOMPARE(fileBytes(path(u"out.txt"_s)), line + "\r\n");

        writeFile(u"exists.txt"_s, "old");
        dialogs_->chooseFile(path(u"exists.txt"_s));
        dialogs_->answer(Answer::Cancel);
        form_->Menu_AnewClick();
        QCOMPARE(fileBytes(path(u"exists.txt"_s)), std::string("old"));
        QCOMPARE(dialogs_->questions.back().text,
                 u"ファイルを上書きします。\r\nよろしいですか？"_s);
        QCOMPARE(dialogs_->questions.back().icon, ui::MessageIcon::Information);

        dialogs_->chooseFile(path(u"exists.txt"_s));
        dialogs_->answer(Answer::Ok);
        form_->Menu_AnewClick();
        QCOMPARE(fileBytes(path(u"exists.txt"_s)), line + "\r\n");

        // The dialog proposes the name chosen last.
        dialogs_->cancelFile();
        form_->Menu_AnewClick();
        QVERIFY(dialogs_->fileRequests.back().proposed.endsWith(u"exists.txt"_s));

        // No records: an empty file.
        form_->Menu_NewClick();
        dialogs_->chooseFile(path(u"none.txt"_s));
        form_->Menu_AnewClick();
        QCOMPARE(fileBytes(path(u"none.txt"_s)), std::string());
    }

    void closeQuestionAnswers()
    {
        startMainWindow();
        QCloseEvent empty;
        QCoreApplication::sendEvent(form_.get(), &empty);
        QVERIFY(empty.isAccepted());
        QVERIFY(dialogs_->questions.empty());

        openFile(u"one.txt"_s, recordLine("A", "x", 1));
        dialogs_->answer(Answer::Cancel);
        QCloseEvent cancelled;
        QCoreApplication::sendEvent(form_.get(), &cancelled);
        QVERIFY(!cancelled.isAccepted());
        QCOMPARE(dialogs_->questions.back().text, u"データを保存しますか？"_s);
        QCOMPARE(dialogs_->questions.back().buttons, ui::MessageButtons::YesNoCancel);

        dialogs_->answer(Answer::No);
        QCloseEvent no;
        QCoreApplication::sendEvent(form_.get(), &no);
        QVERIFY(no.isAccepted());

        // Yes, then cancelling the save dialog or the overwrite question keeps the window
        // and the records: closing would lose them.
        dialogs_->answer(Answer::Yes);
        dialogs_->cancelFile();
        QCloseEvent yesCancelled;
        QCoreApplication::sendEvent(form_.get(), &yesCancelled);
        QVERIFY(!yesCancelled.isAccepted());
        writeFile(u"taken.txt"_s, "other");
        dialogs_->answer(Answer::Yes);
        dialogs_->chooseFile(path(u"taken.txt"_s));
        dialogs_->answer(Answer::Cancel); // the overwrite question
        QCloseEvent yesDeclined;
        QCoreApplication::sendEvent(form_.get(), &yesDeclined);
        QVERIFY(!yesDeclined.isAccepted());
        QCOMPARE(fileBytes(path(u"taken.txt"_s)), std::string("other"));
        QCOMPARE(form_->store().recordCount(), 1);

        dialogs_->answer(Answer::Yes);
        dialogs_->chooseFile(path(u"saved.txt"_s));
        QCloseEvent yes;
        QCoreApplication::sendEvent(form_.get(), &yes);
        QVERIFY(yes.isAccepted());
        QCOMPARE(fileBytes(path(u"saved.txt"_s)), recordLine("A", "x", 1) + "\r\n");
    }

    void openOffersTheContentAnInterruptedSaveKept()
    {
        startMainWindow();
        // What a save killed while rewriting the file in place leaves: part of the new
        // content in the file, the old content in a copy beside it.
        const std::string kept = recordLine("Old", "x", 1) + "\r\n";
        for (const Answer answer : {Answer::No, Answer::Yes}) {
            writeFile(u"a.txt.grimtally-old"_s, kept);
            dialogs_->answer(answer);
            openFile(u"a.txt"_s, recordLine("New", "x", 1) + "\r\n");
            QCOMPARE(dialogs_->questions.back().icon, ui::MessageIcon::Question);
            QCOMPARE(dialogs_->questions.back().buttons, ui::MessageButtons::YesNo);
            QVERIFY(dialogs_->questions.back().text.contains(path(u"a.txt.grimtally-old"_s)));
            QCOMPARE(names(),
                     QStringList({u"(Anew)"_s, answer == Answer::Yes ? u"Old"_s : u"New"_s}));
            QCOMPARE(QFileInfo::exists(path(u"a.txt.grimtally-old"_s)), answer == Answer::No);
        }
        QCOMPARE(fileBytes(path(u"a.txt"_s)), kept);
    }

    void failedSaveOnCloseKeepsTheWindowOpen()
    {
        startMainWindow();
        openFile(u"one.txt"_s, recordLine("A", "x", 1));
        QVERIFY(QDir(folderPath()).mkdir(u"blocked.txt"_s));
        dialogs_->strict = false;
        dialogs_->answer(Answer::Yes);
        dialogs_->chooseFile(path(u"blocked.txt"_s));
        dialogs_->answer(Answer::Ok); // the overwrite question
        QCloseEvent event;
        QCoreApplication::sendEvent(form_.get(), &event);
        QVERIFY(!event.isAccepted());
        QCOMPARE(dialogs_->questions.back().icon, ui::MessageIcon::Error);
        QCOMPARE(form_->store().recordCount(), 1);
    }

    void sortCycleSurvivesARebuild()
    {
        startMainWindow();
        openFile(u"levels.txt"_s,
                 recordLine("b", "Beast", 10) + "\r\n" + recordLine("A", "beast", 2) + "\r\n" +
                     recordLine("c", "Ant", 2) + "\r\n" + recordLine("D", "Zombie", 9));
        const QStringList slotOrder = {u"(Anew)"_s, u"b"_s, u"A"_s, u"c"_s, u"D"_s};
        QCOMPARE(names(), slotOrder);
        QHeaderView* header = form_->ListView1->header();

        header->sectionClicked(2); // ascending by level; equal levels keep slot order
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"A"_s, u"c"_s, u"D"_s, u"b"_s}));
        header->sectionClicked(0); // descending by name, letters folded
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"D"_s, u"c"_s, u"b"_s, u"A"_s}));
        header->sectionClicked(1); // back to slot order
        QCOMPARE(names(), slotOrder);

        header->sectionClicked(1); // ascending by classification: text, a..z folded
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"c"_s, u"b"_s, u"A"_s, u"D"_s}));
        form_->ListView1Renew(); // slot order again, but the cycle goes on
        QCOMPARE(names(), slotOrder);
        header->sectionClicked(2);
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"b"_s, u"D"_s, u"A"_s, u"c"_s}));
    }

    void headerArrowAndSelectionFollowTheSortCycle()
    {
        startMainWindow();
        std::string lines;
        for (int i = 0; i < 300; ++i)
            lines += recordLine("e" + std::to_string(i), "x", 300 - i) + "\r\n";
        openFile(u"many.txt"_s, lines);
        form_->resize(400, 200);
        QCoreApplication::processEvents(); // the list takes its new height
        QHeaderView* header = form_->ListView1->header();
        QWidget* viewport = form_->ListView1->viewport();
        PaintedRegion paints;
        viewport->installEventFilter(&paints);
        form_->selectRow(2); // slot 2, level 299: near the end once sorted by level
        struct Step {
            int column; // -1: a rebuild
            int arrow;  // 0: none, 1: ascending, -1: descending
            int row;    // where slot 2 stands then
        };
        const Step steps[] = {{2, 1, 299}, {0, -1, 299}, {5, 0, 2}, {2, 1, 299},
                              {-1, 0, -1}, {1, -1, 2},   {3, 0, 2}};
        for (const Step& step : steps) {
            if (step.column < 0) {
                // A rebuild shows slot order with nothing selected; the cycle goes on.
                form_->ListView1Renew();
                QVERIFY(!header->isSortIndicatorShown());
                QCOMPARE(form_->selectedRow(), -1);
                form_->selectRow(2);
                continue;
            }
            QCoreApplication::processEvents();
            paints.take();
            header->sectionClicked(step.column);
            const QString at = u"after column %1"_s.arg(step.column);
            // Every row may show another record now, so all of the list is painted again.
            QTRY_VERIFY2((QRegion(viewport->rect()) - paints.painted).isEmpty(), qPrintable(at));
            QVERIFY2(header->isSortIndicatorShown() == (step.arrow != 0), qPrintable(at));
            if (step.arrow != 0) {
                QCOMPARE(header->sortIndicatorSection(), step.column);
                QCOMPARE(header->sortIndicatorOrder(),
                         step.arrow > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
            }
            QCOMPARE(form_->selectedSlot(), 2);
            QCOMPARE(form_->selectedRow(), step.row);
            const QModelIndex selected = form_->ListView1->model()->index(step.row, 0);
            QVERIFY2(form_->ListView1->viewport()->rect().contains(
                         form_->ListView1->visualRect(selected)),
                     qPrintable(at));
        }
    }

    void copyAndDeleteActOnTheRowShownAfterSorting()
    {
        startMainWindow();
        openFile(u"three.txt"_s, recordLine("High", "x", 9) + "\r\n" + recordLine("Low", "x", 1) +
                                     "\r\n" + recordLine("Mid", "x", 5));
        form_->ListView1->header()->sectionClicked(2);
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"Low"_s, u"Mid"_s, u"High"_s}));

        form_->selectRow(1);
        QCOMPARE(form_->selectedSlot(), 2);
        form_->Copy1Click();
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"High"_s, u"Low"_s, u"Mid"_s, u"Low"_s}));
        QCOMPARE(form_->selectedRow(), -1);
        QVERIFY(form_->store().fields(4) == form_->store().fields(2));

        form_->ListView1->header()->sectionClicked(2); // descending
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"High"_s, u"Mid"_s, u"Low"_s, u"Low"_s}));
        form_->selectRow(2);
        dialogs_->answer(Answer::Cancel);
        form_->Delete1Click();
        QCOMPARE(dialogs_->questions.back().text, u"Midを削除します。\r\nよろしいですか？"_s);
        QCOMPARE(dialogs_->questions.back().icon, ui::MessageIcon::Warning);
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"High"_s, u"Low"_s, u"Mid"_s, u"Low"_s}));
        QCOMPARE(form_->selectedRow(), -1);

        form_->selectRow(3);
        dialogs_->answer(Answer::Ok);
        form_->Delete1Click();
        QCOMPARE(names(), (QStringList{u"(Anew)"_s, u"High"_s, u"Low"_s, u"Low"_s}));
        QCOMPARE(form_->selectedRow(), -1);

        // Row 0 is neither copied nor deleted.
        form_->selectRow(0);
        form_->Copy1Click();
        form_->Delete1Click();
        QCOMPARE(form_->store().recordCount(), 3);
    }

    void popupEnablesByTheSelection()
    {
        startMainWindow();
        openFile(u"one.txt"_s, recordLine("A", "x", 1));
        auto enabled = [this](const char* name) {
            return form_->findChild<QAction*>(QString::fromLatin1(name))->isEnabled();
        };
        form_->PopupMenu1Popup();
        QVERIFY(!enabled("Edit1") && !enabled("Copy1") && !enabled("Delete1"));
        form_->selectRow(0);
        form_->PopupMenu1Popup();
        QVERIFY(enabled("Edit1") && !enabled("Copy1") && !enabled("Delete1"));
        form_->selectRow(1);
        form_->PopupMenu1Popup();
        QVERIFY(enabled("Edit1") && enabled("Copy1") && enabled("Delete1"));
    }

    void menusCarryTheirNames()
    {
        startMainWindow();
        const char* enabledItems[] = {"Menu_New", "Menu_Open", "Menu_Merge", "Menu_Anew",
                                      "Menu_About"};
        for (const char* name : enabledItems)
            QVERIFY2(form_->findChild<QAction*>(QString::fromLatin1(name))->isEnabled(), name);
        QVERIFY(!form_->findChild<QAction*>(u"Menu_Save"_s)->isEnabled());
        QVERIFY(!form_->findChild<QAction*>(u"Menu_Exit"_s)->isEnabled());
        QCOMPARE(form_->findChild<QAction*>(u"Menu_Anew"_s)->text(), u"&Anew"_s);

        openFile(u"one.txt"_s, recordLine("A", "x", 1));
        form_->Menu_NewClick(); // no question
        QCOMPARE(names(), QStringList{u"(Anew)"_s});
        QVERIFY(dialogs_->questions.empty());
    }

    void modelPassesTheModelTester()
    {
        startMainWindow();
        openFile(u"two.txt"_s, recordLine("A", "x", 1) + "\r\n" + recordLine("B", "x", 2));
        QAbstractItemModelTester tester(form_->ListView1->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        form_->ListView1->header()->sectionClicked(2);
        form_->ListView1Renew();
        form_->Menu_NewClick();
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
