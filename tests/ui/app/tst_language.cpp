// The program's own texts follow the language that "Language.txt" chooses under [program],
// from the first window on; a file that chooses none keeps the built-in texts and is never
// given the key.
#include "core/rules/choicetables.h"
#include "core/rules/combat.h"
#include "core/text/inifile.h"
#include "tests/ui/support/scripteddialogs.h"
#include "tests/ui/support/workingfolder.h"
#include "ui/app/programerrors.h"
#include "ui/app/programlanguage.h"
#include "ui/app/programwindows.h"
#include "ui/app/tform1.h"
#include "ui/editor/teditor1.h"
#include "ui/toolkit/dialogs.h"

#include <QAction>
#include <QFile>
#include <QLibraryInfo>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace grimtally;
using grimtally::ChoiceFileError;
using grimtally::RuleError;
using grimtally::test::ScriptedDialogs;
using grimtally::ui::Answer;

class LanguageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void textsFollowTheChosenLanguage_data();
    void textsFollowTheChosenLanguage();
    void choiceFileErrorsFollowTheChosenLanguage();
};

void LanguageTest::textsFollowTheChosenLanguage_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("question");

    const QString fixedQuestion = u"編集したデータを保存しません。\r\n\r\nよろしいですか？"_s;
    QTest::newRow("no key: the built-in texts")
        << QByteArray("[common]\r\nname=Label\r\n") << u"&Open"_s << u"筋力逆算"_s << u"Resist"_s
        << fixedQuestion;
    QTest::newRow("English") << QByteArray("[common]\r\nname=Label\r\n[program]\r\nlanguage=en\r\n")
                             << u"&Open"_s << u"Est. Str."_s << u"Resist"_s
                             << u"Your edits will not be saved.\r\n\r\nAre you sure?"_s;
    QTest::newRow("Japanese") << QByteArray(
                                     "[program]\r\nlanguage=ja\r\n[common]\r\nname=Label\r\n")
                              << u"開く(&O)"_s << u"筋力逆算"_s << u"登録"_s << fixedQuestion;
}

void LanguageTest::textsFollowTheChosenLanguage()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, menu);
    QFETCH(QString, button);
    QFETCH(QString, command);
    QFETCH(QString, question);

    const test::WorkingFolder folder;
    QVERIFY(folder.isValid());
    QFile language(u"Language.txt"_s);
    QVERIFY(language.open(QIODevice::WriteOnly) && language.write(file) == file.size());
    language.close();

    const QLocale systemLocale;
    {
        ScriptedDialogs dialogs;
        dialogs.cancelFile(); // the choice file asked for while the editor is made
        const ui::ProgramWindows windows = ui::createProgramWindows();
        QCOMPARE(windows.form1->findChild<QAction*>(u"Menu_Open"_s)->text(), menu);
        QCOMPARE(windows.editor1->Button1->text(), button);
        QCOMPARE(windows.editor1->B_Resist->text(), command);
        dialogs.answer(Answer::Cancel);
        windows.editor1->B_Cancel->click();
        QCOMPARE(dialogs.questions.back().text, question);

        // The default locale and Qt's own buttons come along, the buttons where the system
        // has their translation.
        const bool japanese = menu != u"&Open"_s;
        QCOMPARE(QLocale().language() == QLocale::Japanese, japanese);
        if (japanese &&
            QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_ja.qm"_s))
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"キャンセル"_s);
    }
    // The windows took their language with them.
    QCOMPARE(QCoreApplication::translate("grimtally::ui::TForm1", "&Open"), u"&Open"_s);
    QCOMPARE(QLocale(), systemLocale);

    // Only the words were added; the choice of language is the user's alone to make.
    QVERIFY(language.open(QIODevice::ReadOnly));
    const QByteArray written = language.readAll();
    QVERIFY(written.contains("name=Label\r\n") && written.contains("[editor]"));
    const auto chosen = [](const QByteArray& bytes) {
        const IniFile ini =
            IniFile::parse(std::string_view(bytes.constData(), std::size_t(bytes.size())));
        return std::pair(ini.hasSection("program"), ini.value("program", "language"));
    };
    QVERIFY(chosen(written) == chosen(file));
}

// The core words its errors about the choice file in English; the program's windows say the
// same, word for word, and in Japanese when it is chosen.
void LanguageTest::choiceFileErrorsFollowTheChosenLanguage()
{
    ui::installProgramErrorWording();
    const auto uninstall = qScopeGuard([] { ui::installErrorWording(nullptr); });
    std::vector<std::unique_ptr<std::exception>> errors;
    for (int kind = 0; kind <= int(RuleError::Kind::CriticalTableGives72); ++kind)
        errors.push_back(std::make_unique<RuleError>(RuleError::Kind(kind),
                                                     std::vector<std::string>{"hit", "7", "Bite"}));
    for (int problem = 0; problem <= int(ChoiceFileError::Problem::TooLarge); ++problem)
        errors.push_back(std::make_unique<ChoiceFileError>("C.txt", "size", 2, "Huge,x",
                                                           ChoiceFileError::Problem(problem)));
    for (const auto& error : errors)
        QCOMPARE(ui::errorText(*error), QString::fromUtf8(error->what()));

    const ui::ProgramTranslators japanese(u"ja"_s);
    QVERIFY(japanese.installed());
    for (const auto& error : errors) {
        const QString english = QString::fromUtf8(error->what());
        const QString text = ui::errorText(*error);
        QVERIFY2(text != english, error->what());
        for (const QString& part : {u"Bite"_s, u"Huge,x"_s, u"C.txt"_s, u"[size]"_s}) {
            if (english.contains(part))
                QVERIFY2(text.contains(part), qUtf8Printable(text));
        }
    }
}

QTEST_MAIN(LanguageTest)
#include "tst_language.moc"
