// A start from the menu: the user's folder is made ready with the set of the user's language
// and entered; a folder that cannot be used, or an installation without its files, is told in
// that language, and the program is left where it was.
#include "tests/ui/support/scripteddialogs.h"
#include "tests/ui/support/workingfolder.h"
#include "ui/app/userfolder.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace Qt::StringLiterals;
using grimtally::test::ScriptedDialogs;
using grimtally::test::WorkingFolder;
using grimtally::ui::Answer;
using grimtally::ui::enterWorkFolder;
using grimtally::ui::MessageIcon;

namespace {

QByteArray contents(const QString& file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("(unreadable)");
}

const QString kShipped = QStringLiteral(GRIMTALLY_SHIPPED_DATA);

} // namespace

class UserFolderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theLocalesSetIsSeededAndEntered_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("set");
        QTest::newRow("Japanese") << u"ja_JP"_s << u"/ja"_s;
        QTest::newRow("English") << u"en_GB"_s << QString();
        QTest::newRow("German") << u"de_DE"_s << QString();
    }

    void theLocalesSetIsSeededAndEntered()
    {
        QFETCH(QString, locale);
        QFETCH(QString, set);
        WorkingFolder home;
        QVERIFY(home.isValid());
        const QString folder = home.filePath(u"Documents/Grimtally"_s);
        ScriptedDialogs dialogs;
        QVERIFY(enterWorkFolder(folder, kShipped, QLocale(locale)));
        QCOMPARE(QDir::currentPath(), QDir(folder).canonicalPath());
        for (const QString& file : {u"Language.txt"_s, u"Choices.txt"_s, u"Sample.txt"_s})
            QCOMPARE(contents(file), contents(kShipped + set + u'/' + file));
    }

    void whatCannotBeUsedIsToldInTheLocalesLanguage_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("shippedFilesThere");
        QTest::addColumn<QString>("told");
        QTest::newRow("no folder, English") << u"en_US"_s << true << u"cannot be created"_s;
        QTest::newRow("no folder, Japanese") << u"ja_JP"_s << true << u"作成できない"_s;
        QTest::newRow("no shipped files, English") << u"en_US"_s << false << u"Install"_s;
        QTest::newRow("no shipped files, Japanese") << u"ja_JP"_s << false << u"インストール"_s;
    }

    void whatCannotBeUsedIsToldInTheLocalesLanguage()
    {
        QFETCH(QString, locale);
        QFETCH(bool, shippedFilesThere);
        QFETCH(QString, told);
        WorkingFolder home;
        QVERIFY(home.isValid());
        QString folder = home.filePath(u"Grimtally"_s);
        if (shippedFilesThere) {
            // A file where a folder on the way should be: no one can create the folder.
            QFile blocker(home.filePath(u"Documents"_s));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            folder = home.filePath(u"Documents/Grimtally"_s);
        }
        ScriptedDialogs dialogs;
        dialogs.answer(Answer::Ok);
        QVERIFY(!enterWorkFolder(folder, shippedFilesThere ? kShipped : home.filePath(u"none"_s),
                                 QLocale(locale)));
        QCOMPARE(dialogs.questions.size(), 1u);
        QCOMPARE(dialogs.questions[0].icon, MessageIcon::Error);
        QVERIFY2(dialogs.questions[0].text.contains(told), qPrintable(dialogs.questions[0].text));
        // The message names the folder or the file that is missing, with the system's reason.
        QVERIFY(dialogs.questions[0].detail.contains(shippedFilesThere ? folder : u"none"_s));
        QCOMPARE(QDir::currentPath(), QDir(home.path()).canonicalPath());
        // Nothing was made elsewhere instead, and no part of a set was left behind.
        QCOMPARE(QDir(home.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList(shippedFilesThere ? u"Documents"_s : u"Grimtally"_s));
        if (!shippedFilesThere)
            QVERIFY(QDir(folder).isEmpty());
    }
};

QTEST_MAIN(UserFolderTest)
#include "tst_userfolder.moc"
