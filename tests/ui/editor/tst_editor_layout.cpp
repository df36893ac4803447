// The editor window's creation: places, captions from "Language.txt", its write-back, the
// tab order, the sub-sense check boxes, and the Load Choices command with good and bad files.
#include "core/text/inifile.h"
#include "core/text/sjis.h"
#include "core/words/vocabulary.h"
#include "tests/ui/support/editorsession.h"
#include "ui/app/tform1.h"
#include "ui/editor/teditor1.h"
#include "ui/toolkit/checkbox.h"
#include "ui/toolkit/combobox.h"
#include "ui/toolkit/cp932text.h"
#include "ui/toolkit/editbox.h"
#include "ui/toolkit/label.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <memory>
#include <unistd.h>

using namespace grimtally;
using namespace grimtally::ui;
using namespace Qt::StringLiterals;

namespace {

const char kChoices[] = "[classify]\nBeast\nUndead\n[celebrity]\nSages\n[count]\n1\n2\n3\n"
                        "[frequency]\nRare\n[reaction]\nFriendly\nHostile\n"
                        "[intelligence]\nDim,-1\nClever,2\n[sense]\nNormal\n"
                        "[sense-sub]\nScent\nHeat Sight\nEar\n[movement]\nWalk\nFly\n"
                        "[size]\nSmall,-2\nTiny,-6\n[hardness]\n\"Hard Shell\",3\n"
                        "[hit]\nBlade,2\n[damage]\nBlade,0\n[critical]\nBlade,10\n"
                        "[attack]\nSword,Blade,Blade,Blade\nAxe,Blade,Blade,Blade\n"
                        "[magic]\nFire\nIce\n[ability]\nRegenerate\nFly by night\n";

const char kOtherChoices[] = "[classify]\nGolem\n[count]\n9\n[movement]\nSwim\n"
                             "[sense-sub]\nTaste\n[attack]\nClaw,K,K,K\n[magic]\nDark\n"
                             "[ability]\nHide\n[hit]\nK,1\n[damage]\nK,0\n[critical]\nK,10\n";

QByteArray cp932(const char* utf8)
{
    return QByteArray::fromStdString(*utf8ToCp932(utf8));
}

QStringList entries(const ComboBox* box)
{
    QStringList list;
    for (int i = 0; i < box->entryCount(); ++i)
        list << fromCp932(box->entryBytes(i));
    return list;
}

QRect geometryOf(const QWidget* root, const QString& name)
{
    const auto* widget = root->findChild<QWidget*>(name);
    return widget ? widget->geometry() : QRect();
}

// The editor's own controls in the order Tab visits them, from Name_O round to it again.
QStringList tabChain(QWidget* editor, QWidget* start)
{
    QStringList names;
    QWidget* widget = start;
    do {
        if (widget->parentWidget() == editor && (widget->focusPolicy() & Qt::TabFocus))
            names << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != start && names.size() < 200);
    return names;
}

} // namespace

class EditorLayout : public QObject, private test::EditorSession {
    Q_OBJECT

private:
    void load(const QString& file)
    {
        dialogs_->chooseFile(file);
        editor_->B_LoadChoices->click();
    }

    Label* label(const QString& name) { return editor_->findChild<Label*>(name); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(openSession());
        writeFile(u"Choices.txt"_s, kChoices);
    }

    void cleanup() { closeSession(); }

    void defaultCaptionsAndLanguageWriteBack()
    {
        createWindows();
        QCOMPARE(editor_->windowTitle(), u"Enemy Editor for Marrowfane"_s);
        QCOMPARE(dialogs_->fileRequests.at(0).proposed, u"Choices.txt"_s);
        const QStringList captions =
            u"Level_L=Monster Level|Celebrity_L2=know without fail|Habitat_L=Habitat|"
            "Int_L=Intelligence|Movement_L01=Movement method|Movement_L02=Speed|Str_L=Strength|"
            "Attack_L01=Attack method|Attack_L02=Hit|Attack_L3=Attack 3|Defence_L=Dodge/Prevent|"
            "SP_L=SP/Resist|Magic_L2=Magic 2|Ability_L=Ability"_s.split(u'|');
        for (const QString& caption : captions)
            QCOMPARE(label(caption.section(u'=', 0, 0))->text(), caption.section(u'=', 1));
        QCOMPARE(editor_->Ability_B->text(), u"Add from list"_s);
        QCOMPARE(editor_->Button1->text(), u"筋力逆算"_s);
        QCOMPARE(editor_->HyphenLabels.size(), 5u);
        QCOMPARE(editor_->SlashLabels.size(), 11u);
        QCOMPARE(editor_->DiceLabels.size(), 9u);
        QCOMPARE(editor_->HyphenLabels[4]->text(), u"-"_s);
        QCOMPARE(editor_->SlashLabels[10]->text(), u"/"_s);
        QCOMPARE(editor_->DiceLabels[8]->text(), u"(2D6+               )"_s);

        const IniFile written = IniFile::load("Language.txt");
        QCOMPARE(readEditorWords(written), editor_->editorWords());
        QCOMPARE(editor_->editorWords().size(), std::size_t(EditorWordCount));
        QCOMPARE(written.value("editor", "pawn"), std::optional<std::string>("Pawn"));
        QFile file(u"Language.txt"_s);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.contains("random=Random \r\n"));
        QVERIFY(bytes.contains("celebrity3=somebody \r\n"));
        QVERIFY(bytes.contains("[common]")); // the main window's section stays
    }

    void captionsFollowChangedWords()
    {
        writeFile(u"Language.txt"_s, "[keep]\r\nx=1\r\n[common]\r\nslash=\r\nhit=Treffer\r\n"
                                     "level=A much longer level caption\r\n[editor]\r\nattack=" +
                                         cp932("攻撃") + "\r\nnone=" + cp932("なし") + "\r\n");
        createWindows();
        QCOMPARE(editor_->Attack_L1->text(), u"攻撃 1"_s);
        QCOMPARE(editor_->Attack_L3->text(), u"攻撃 3"_s);
        QCOMPARE(editor_->Attack_L02->text(), u"Treffer"_s);
        QCOMPARE(editor_->Defence_L->text(), u"DodgePrevent"_s);
        QCOMPARE(editor_->HP_L->text(), u"HPResist"_s);
        for (const Label* slash : editor_->SlashLabels)
            QVERIFY(slash->text().isEmpty());
        QCOMPARE(entries(editor_->Count_O2).value(0), u"なし"_s);
        // A long caption grows to the left; its right edge stays before the input.
        QCOMPARE(editor_->Level_L->geometry().right() + 1, 109);
        QVERIFY(editor_->Level_L->x() < 40);

        const IniFile written = IniFile::load("Language.txt");
        QCOMPARE(written.value("common", "slash"), std::optional<std::string>(""));
        QCOMPARE(written.value("keep", "x"), std::optional<std::string>("1"));
        QCOMPARE(written.value("editor", "attack"),
                 std::optional<std::string>(cp932("攻撃").toStdString()));
        QCOMPARE(written.value("editor", "magic"), std::optional<std::string>("Magic"));
    }

    void languageWriteFailureIsReportedAndCreationGoesOn()
    {
        // A folder nobody may write into; root needs the immutable flag for that.
        const QString folder = folderPath();
        const bool root = ::geteuid() == 0;
        if (root)
            QProcess::execute(u"chattr"_s, {u"+i"_s, folder});
        else
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        const auto unlock = qScopeGuard([&] {
            if (root)
                QProcess::execute(u"chattr"_s, {u"-i"_s, folder});
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        if (QFile probe(u"probe"_s); probe.open(QIODevice::WriteOnly))
            QSKIP("the test folder cannot be made unwritable here");

        dialogs_->answer(Answer::Ok); // the main window's own write-back
        dialogs_->answer(Answer::Ok); // the editor's
        createWindows();
        QCOMPARE(dialogs_->questions.size(), 2u);
        QVERIFY(dialogs_->questions[1].text.contains(u"Language.txt"_s));
        QCOMPARE(dialogs_->questions[1].icon, MessageIcon::Error);
        QCOMPARE(editor_->Magic_L1->text(), u"Magic 1"_s);
        QCOMPARE(editor_->DiceLabels.size(), 9u);
        QCOMPARE(entries(editor_->Classify_O), QStringList({u"Beast"_s, u"Undead"_s}));
    }

    // A file that cannot be read is reported once, by the main window, and not written over
    // with the defaults.
    void unreadableLanguageFileIsLeftAlone()
    {
        QVERIFY(QDir().mkdir(u"Language.txt"_s));
        dialogs_->answer(Answer::Ok);
        createWindows();
        QCOMPARE(dialogs_->questions.size(), 1u);
        QVERIFY(dialogs_->questions[0].text.contains(u"Language.txt"_s));
        QCOMPARE(editor_->Str_L->text(), u"Strength"_s);
        QCOMPARE(editor_->Classify_O->entryCount(), 2);
        QVERIFY(QFileInfo(u"Language.txt"_s).isDir());
    }

    // Saved as UTF-16 by an editor: both windows use the words it holds, the user hears of
    // it once, and the file is left exactly as it is.
    void languageFileInUtf16IsUsedReportedOnceAndNeverWritten()
    {
        const QString words = u"[common]\r\nhit=Treffer\r\n[editor]\r\nattack=攻撃\r\n"_s;
        const QByteArray bytes =
            QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(words.utf16()),
                                                words.size() * 2); // little-endian here
        writeFile(u"Language.txt"_s, bytes);
        dialogs_->answer(Answer::Ok);
        createWindows();
        QCOMPARE(dialogs_->questions.size(), 1u);
        QVERIFY(dialogs_->questions[0].text.contains(u"Language.txt"_s));
        QVERIFY(dialogs_->questions[0].text.contains(u"UTF-16"_s));
        QVERIFY(!dialogs_->questions[0].detail.isEmpty());
        QCOMPARE(editor_->Attack_L02->text(), u"Treffer"_s);
        QCOMPARE(editor_->Attack_L1->text(), u"攻撃 1"_s);
        QCOMPARE(editor_->Magic_L1->text(), u"Magic 1"_s);
        QFile file(u"Language.txt"_s);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }

    // A file that lists every word is not written at all: its own line breaks stay.
    void completeLanguageFileKeepsItsBytes()
    {
        IniFile complete;
        writeVocabulary(complete, readVocabulary(complete));
        writeEditorWords(complete, readEditorWords(complete));
        QByteArray bytes = QByteArray::fromStdString(complete.serialize());
        bytes.replace("\r\n", "\n");
        writeFile(u"Language.txt"_s, bytes);
        createWindows();
        QFile file(u"Language.txt"_s);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }

    void controlsStandAtTheirPlaces()
    {
        createWindows();
        QCOMPARE(editor_->size(), QSize(785, 601));
        // name left top width height
        const QStringList places =
            u"Frame 8 8 689 585|Name_O 64 16 457 20|Classify_O 584 16 97 20|Level_O 112 48 57 21|"
            "Celebrity_O2 296 48 97 20|Habitat_O 512 80 169 20|Movement_O22 312 224 57 21|"
            "Button1 72 232 57 20|Hardness_O 352 256 81 20|Attack_O33 288 368 57 20|"
            "Attack_O34 376 368 57 20|Defence_O4 376 400 57 20|SP_O1 112 464 57 21|"
            "Magic_O31 72 560 113 20|Magic_O33 272 560 57 21|Magic_O34 368 560 57 20|"
            "Ability_O 456 192 225 385|Ability_B 584 172 97 17|B_Resist 704 8 75 25|"
            "B_LoadChoices 704 240 75 25|Separator3 704 224 73 2"_s.split(u'|');
        for (const QString& place : places) {
            const QStringList p = place.split(u' ');
            QCOMPARE(geometryOf(editor_.get(), p[0]),
                     QRect(p[1].toInt(), p[2].toInt(), p[3].toInt(), p[4].toInt()));
        }
        QCOMPARE(editor_->findChild<QObject*>(u"OpenDialog1"_s), editor_->OpenDialog1);

        // Row labels end 3 pixels before the row's first input, 3 pixels below its top.
        const QStringList rowLabels =
            u"Name_L 61 19|Classify_L 581 19|Celebrity_L1 229 51|Frequency_L 349 83|"
            "Language_L 509 115|Sense_L 69 147|Movement_L2 189 227|Defence_L 109 403|HP_L 109 435|"
            "Magic_L3 69 563"_s.split(u'|');
        for (const QString& rowLabel : rowLabels) {
            const QStringList p = rowLabel.split(u' ');
            const QRect place = geometryOf(editor_.get(), p[0]);
            QCOMPARE(place.x() + place.width(), p[1].toInt());
            QCOMPARE(place.y(), p[2].toInt());
        }
        QCOMPARE(editor_->Celebrity_L2->pos(), QPoint(400, 51));
        QCOMPARE(editor_->Attack_L03->pos(), QPoint(376, 287));

        QCOMPARE(editor_->HyphenLabels[1]->geometry(), QRect(168, 115, 25, 12));
        QCOMPARE(editor_->SlashLabels[5]->geometry(), QRect(352, 403, 25, 12));
        QCOMPARE(editor_->SlashLabels[8]->geometry(), QRect(248, 499, 25, 12));
        QVERIFY(editor_->SlashLabels[0]->alignment() & Qt::AlignHCenter);
        // Each value box covers its dice label's blanks: the prefix before it, the bracket
        // after it, and the box drawn over the label.
        const QWidget* boxes[] = {editor_->Attack_O13, editor_->Attack_O23, editor_->Attack_O33,
                                  editor_->Defence_O3, editor_->HP_O3,      editor_->SP_O3,
                                  editor_->Magic_O14,  editor_->Magic_O24,  editor_->Magic_O34};
        for (int i = 0; i < 9; ++i) {
            const Label* dice = editor_->DiceLabels[static_cast<std::size_t>(i)];
            const QRect box = boxes[i]->geometry();
            QCOMPARE(dice->y(), box.y() + 3);
            const QFontMetricsF metrics(dice->font());
            QVERIFY(dice->x() + metrics.horizontalAdvance(u"(2D6+"_s) <= box.x());
            QVERIFY(dice->x() + metrics.horizontalAdvance(dice->text().chopped(1)) >=
                    box.x() + box.width());
            QVERIFY(dice->x() + dice->width() > box.x() + box.width());
            QVERIFY(editor_->children().indexOf(dice) < editor_->children().indexOf(boxes[i]));
        }
    }

    void tabOrderFollowsTheRows()
    {
        createWindows();
        const QStringList chain = tabChain(editor_.get(), editor_->Name_O);
        const QStringList expected =
            u"Name_O Classify_O Level_O Celebrity_O1 Celebrity_O2 Count_O1 Count_O2 Frequency_O "
            "Habitat_O Reaction_O1 Reaction_O2 Int_O Language_O Sense_O SubSense_O1 SubSense_O2 "
            "SubSense_O3 Dex_O Movement_O11 Movement_O12 Movement_O21 Movement_O22 Str_O Size_O "
            "Hardness_O Attack_O11 Attack_O12 Attack_O14 Attack_O21 Attack_O22 Attack_O24 "
            "Attack_O31 Attack_O32 Attack_O34 Defence_O2 Defence_O4 HP_O1 HP_O2 SP_O1 SP_O2 "
            "Magic_O11 Magic_O12 Magic_O13 Magic_O21 Magic_O22 Magic_O23 Magic_O31 Magic_O32 "
            "Magic_O33 Ability_B Ability_O B_Resist B_Cancel B_Reload B_Reset B_Generate "
            "B_LoadChoices Button1"_s.split(u' ');
        QCOMPARE(chain, expected);
    }

    void subSenseBoxesAreSpacedByTheirCaptions()
    {
        createWindows();
        const auto lefts = [this] {
            QList<int> list;
            for (const CheckBox* check : editor_->SubSenseChecks)
                list << check->x();
            return list;
        };
        QCOMPARE(editor_->SubSenseChecks.size(), 3u);
        QCOMPARE(editor_->SubSenseLabels.size(), 3u);
        const QList<int> shortLefts = lefts();
        QCOMPARE(shortLefts.first(), 176);
        for (std::size_t i = 0; i < 3; ++i) {
            const CheckBox* check = editor_->SubSenseChecks[i];
            QCOMPARE(check->y(), 148);
            QVERIFY(check->isVisibleTo(editor_.get()) && !check->isChecked());
            QVERIFY(editor_->SubSenseLabels[i]->isHidden());
            QCOMPARE(editor_->SubSenseLabels[i]->text(), check->text());
            if (i > 0)
                QVERIFY(editor_->SubSenseChecks[i - 1]->geometry().right() < check->x());
        }

        // A longer second caption pushes the third box right by exactly the extra width.
        writeFile(u"Long.txt"_s, "[sense-sub]\nScent\nHeat Sight of the deep caves\nEar\n");
        load(u"Long.txt"_s);
        const QFontMetricsF metrics(editor_->SubSenseLabels[1]->font());
        const qreal extra = metrics.horizontalAdvance(u"Heat Sight of the deep caves"_s) -
                            metrics.horizontalAdvance(u"Heat Sight"_s);
        QVERIFY(qAbs(lefts()[2] - shortLefts[2] - extra) <= 1.0);
        QCOMPARE(lefts()[1], shortLefts[1]);

        // Fewer rows leave exactly that many boxes on the window; the old ones are gone.
        writeFile(u"Two.txt"_s, "[sense-sub]\nTaste\nTouch\n");
        load(u"Two.txt"_s);
        QCOMPARE(editor_->findChildren<CheckBox*>().size(), 2);
        QCOMPARE(editor_->findChildren<Label*>(QRegularExpression(u"^SubSense_L"_s)).size(), 2);
        QCOMPARE(editor_->SubSenseChecks[1]->captionBytes(), "Touch");
        writeFile(u"None.txt"_s, "[classify]\nBeast\n");
        load(u"None.txt"_s);
        QVERIFY(editor_->findChildren<CheckBox*>().isEmpty());
        QVERIFY(editor_->SubSenseLabels.empty());
    }

    void listsFromTheChoiceFile()
    {
        createWindows();
        QCOMPARE(entries(editor_->Count_O1), QStringList({u"1"_s, u"2"_s, u"3"_s}));
        QCOMPARE(entries(editor_->Count_O2), QStringList({u"----"_s, u"1"_s, u"2"_s, u"3"_s}));
        QCOMPARE(entries(editor_->Reaction_O2).size(), 3);
        QCOMPARE(entries(editor_->Celebrity_O2), QStringList({u"----"_s, u"Sages"_s}));
        QCOMPARE(entries(editor_->Movement_O21), QStringList({u"----"_s, u"Walk"_s, u"Fly"_s}));
        QCOMPARE(entries(editor_->Attack_O11), QStringList({u"Sword"_s, u"Axe"_s}));
        for (const ComboBox* box : {editor_->Attack_O21, editor_->Attack_O31})
            QCOMPARE(entries(box), QStringList({u"----"_s, u"Sword"_s, u"Axe"_s}));
        for (const ComboBox* box : {editor_->Magic_O11, editor_->Magic_O21, editor_->Magic_O31})
            QCOMPARE(entries(box), QStringList({u"----"_s, u"Fire"_s, u"Ice"_s}));
        QCOMPARE(editor_->Int_O->entryNumber(0), std::optional<int>(-1));
        QCOMPARE(editor_->Size_O->entryNumber(0), std::optional<int>(4));
        QCOMPARE(editor_->Size_O->entryNumber(1), std::optional<int>(0));
        QCOMPARE(entries(editor_->Hardness_O), QStringList({u"Hard Shell"_s}));
        QCOMPARE(editor_->abilityList(), (std::vector<std::string>{"Regenerate", "Fly by night"}));
        QVERIFY(editor_->ruleTables().has_value());
        QCOMPARE(editor_->ruleTables()->attacks.size(), 2u);

        // A first "movement" row that is the none word serves as the none entry itself.
        writeFile(u"Moves.txt"_s, "[movement]\n----\nWalk\n");
        load(u"Moves.txt"_s);
        QCOMPARE(entries(editor_->Movement_O21), QStringList({u"----"_s, u"Walk"_s}));
        QCOMPARE(entries(editor_->Movement_O11), entries(editor_->Movement_O21));
    }

    void cancelledFirstLoadLeavesOnlyNoneWords()
    {
        createWindows(std::nullopt);
        for (const ComboBox* box : {editor_->Celebrity_O2, editor_->Count_O2, editor_->Reaction_O2,
                                    editor_->Movement_O21, editor_->Attack_O21, editor_->Attack_O31,
                                    editor_->Magic_O11, editor_->Magic_O21, editor_->Magic_O31})
            QCOMPARE(entries(box), QStringList({u"----"_s}));
        for (const ComboBox* box : {editor_->Classify_O, editor_->Count_O1, editor_->Int_O,
                                    editor_->Movement_O11, editor_->Size_O, editor_->Attack_O11})
            QCOMPARE(box->entryCount(), 0);
        QVERIFY(!editor_->ruleTables().has_value());
        QVERIFY(editor_->SubSenseChecks.empty());
    }

    void laterLoadsReplaceOrKeepEverything()
    {
        createWindows();
        writeFile(u"Other.txt"_s, kOtherChoices);
        load(u"Other.txt"_s);
        QCOMPARE(dialogs_->fileRequests.at(1).proposed, u"Choices.txt"_s);
        QCOMPARE(entries(editor_->Classify_O), QStringList({u"Golem"_s}));
        QCOMPARE(entries(editor_->Count_O2), QStringList({u"----"_s, u"9"_s}));
        QCOMPARE(entries(editor_->Celebrity_O2), QStringList({u"----"_s}));
        QCOMPARE(entries(editor_->Attack_O31), QStringList({u"----"_s, u"Claw"_s}));
        QCOMPARE(entries(editor_->Magic_O21), QStringList({u"----"_s, u"Dark"_s}));
        QCOMPARE(editor_->Int_O->entryCount(), 0);
        QCOMPARE(editor_->abilityList(), std::vector<std::string>{"Hide"});
        QCOMPARE(editor_->ruleTables()->hit.keys, std::vector<std::string>{"K"});

        // A cancelled load changes no list and adds no second none word, but resets the record.
        editor_->Name_O->setText(u"Unsaved"_s);
        dialogs_->cancelFile();
        editor_->B_LoadChoices->click();
        QCOMPARE(entries(editor_->Count_O2), QStringList({u"----"_s, u"9"_s}));
        QCOMPARE(entries(editor_->Magic_O31), QStringList({u"----"_s, u"Dark"_s}));
        QVERIFY(editor_->Name_O->text().isEmpty());
    }

    void badSplitRowIsReportedAndChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<QString>("section");
        QTest::newRow("too few items")
            << QByteArray("[intelligence]\nDim,1\nClever\n") << u"intelligence"_s;
        QTest::newRow("number is a word") << QByteArray("[size]\nHuge,big\n") << u"size"_s;
        QTest::newRow("unquoted blank")
            << QByteArray("[hardness]\nHard Shell,2\n") << u"hardness"_s;
        QTest::newRow("attack of three")
            << QByteArray("[attack]\nSword,Blade,Blade\n") << u"attack"_s;
    }

    void badSplitRowIsReportedAndChangesNothing()
    {
        QFETCH(QByteArray, rows);
        QFETCH(QString, section);
        createWindows();
        editor_->Name_O->setText(u"Unsaved"_s);
        writeFile(u"Bad.txt"_s, "[classify]\nGolem\n[ability]\nHide\n" + rows);
        dialogs_->answer(Answer::Ok);
        load(u"Bad.txt"_s);
        QCOMPARE(dialogs_->questions.size(), 1u);
        QCOMPARE(dialogs_->questions[0].icon, MessageIcon::Error);
        QVERIFY2(dialogs_->questions[0].text.contains(section),
                 qPrintable(dialogs_->questions[0].text));
        QVERIFY(dialogs_->questions[0].text.contains(u"Bad.txt"_s));
        QCOMPARE(entries(editor_->Classify_O), QStringList({u"Beast"_s, u"Undead"_s}));
        QCOMPARE(entries(editor_->Count_O2).size(), 4);
        QCOMPARE(editor_->abilityList().size(), 2u);
        QCOMPARE(editor_->SubSenseChecks.size(), 3u);
        QCOMPARE(editor_->Name_O->text(), u"Unsaved"_s);
    }

    void badFirstLoadStillGivesTheNoneWords()
    {
        writeFile(u"Bad.txt"_s, "[count]\n1\n[size]\nHuge\n");
        dialogs_->answer(Answer::Ok);
        createWindows(u"Bad.txt"_s);
        QCOMPARE(entries(editor_->Count_O2), QStringList({u"----"_s}));
        QCOMPARE(editor_->Count_O1->entryCount(), 0);
        QVERIFY(!editor_->ruleTables().has_value());
    }

    void hostileFilesDoNotBreakTheEditor()
    {
        std::string binary(8192, '\0');
        for (std::size_t i = 0; i < binary.size(); ++i)
            binary[i] = static_cast<char>((i * 131 + i / 7) % 256);
        binary.insert(100, "\n[sense-sub]\n");
        writeFile(u"Binary.txt"_s, QByteArray::fromStdString(binary));
        QByteArray many = "[sense-sub]\n";
        QByteArray rows = "[classify]\n";
        for (int i = 0; i < 10000; ++i) {
            many += "S" + QByteArray::number(i) + "\n";
            rows += "C" + QByteArray::number(i) + "\n";
        }
        writeFile(u"Many.txt"_s, many + rows);
        writeFile(u"Wide.txt"_s, "[sense-sub]\n" + QByteArray(1 << 20, 'w') + "\nEar\n[magic]\n" +
                                     QByteArray(1 << 20, 'm') + "\n");

        dialogs_->strict = false; // the binary file may or may not be readable as rows
        createWindows(u"Binary.txt"_s);
        QVERIFY(dialogs_->questions.size() <= 1);
        QCOMPARE(editor_->Count_O2->entryBytes(0), "----");

        load(u"Many.txt"_s);
        QCOMPARE(editor_->Classify_O->entryCount(), 10000);
        QCOMPARE(editor_->SubSenseChecks.size(), 10000u);
        QVERIFY(editor_->SubSenseChecks.back()->x() > editor_->SubSenseChecks[9998]->x());

        load(u"Wide.txt"_s);
        QCOMPARE(editor_->SubSenseChecks.size(), 2u);
        QVERIFY(editor_->SubSenseChecks[1]->x() > 1000000);
        QCOMPARE(editor_->Magic_O11->entryBytes(1).size(), std::size_t(1) << 20);
        QVERIFY(editor_->isEnabled());
    }

    void shownCentredOnTheScreen()
    {
        createWindows();
        form_->selectRow(0);
        form_->ListView1DblClick();
        QVERIFY(QTest::qWaitForWindowExposed(editor_.get()));
        const QRect available = editor_->screen()->availableGeometry();
        QVERIFY((editor_->frameGeometry().center() - available.center()).manhattanLength() <= 2);
    }
};

QTEST_MAIN(EditorLayout)
#include "tst_editor_layout.moc"
