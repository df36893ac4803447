// Questions and file dialogs: the scripted stand-in the window tests use, the remembered
// file names, the error box of a failed command, the real boxes' buttons and options, and
// the opening and closing of secondary windows.
#include "tests/ui/support/scripteddialogs.h"
#include "tests/ui/support/uitest.h"
#include "ui/toolkit/dialogs.h"
#include "ui/toolkit/editbox.h"
#include "ui/toolkit/windowprotocol.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <new>
#include <stdexcept>

using namespace Qt::StringLiterals;
using namespace grimtally::ui;
using namespace grimtally::test;

namespace {

// Runs `act` on the modal dialog of type T once its event loop runs. A dialog that is still
// open after a few seconds, or another modal dialog in between, is closed and reported, so
// that a fault never leaves the test waiting.
template <typename T> class OnModal {
public:
    explicit OnModal(std::function<void(T*)> act) : act_(std::move(act))
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }
    bool acted() const { return acted_; }
    QStringList problems;

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            return;
        }
        T* dialog = qobject_cast<T*>(modal);
        if (dialog && !acted_) {
            acted_ = true;
            act_(dialog);
            return;
        }
        if (++strayPolls_ > 300 || (!dialog && acted_)) {
            problems.push_back(u"a dialog stayed open: "_s +
                               QString::fromLatin1(modal->metaObject()->className()));
            if (auto* stray = qobject_cast<QDialog*>(modal))
                stray->reject();
            else
                modal->close();
        }
    }

    std::function<void(T*)> act_;
    QTimer timer_;
    bool acted_ = false;
    int strayPolls_ = 0;
};

} // namespace

class TestToolkitDialogs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scriptedDialogsRecordAndAnswer();
    void scriptedDialogsReportAnUnscriptedDialog();
    void fileDialogRemembersTheLastName();
    void runGuardedShowsTheErrorText_data();
    void runGuardedShowsTheErrorText();
    void messageBoxButtons_data();
    void messageBoxButtons();
    void openDialogAcceptsANewName();
    void saveDialogAddsTheSuffixAndAsksNothing();
    void secondaryWindowTakesTurns();
};

void TestToolkitDialogs::scriptedDialogsRecordAndAnswer()
{
    Dialogs* const real = &Dialogs::current();
    {
        ScriptedDialogs dialogs;
        QCOMPARE(&Dialogs::current(), static_cast<Dialogs*>(&dialogs));
        dialogs.answer(Answer::No);
        dialogs.answer(Answer::Ok);
        dialogs.chooseFile(u"/tmp/a.txt"_s);
        dialogs.cancelFile();

        QCOMPARE(Dialogs::current().ask(nullptr, u"保存しますか？"_s, MessageIcon::Warning,
                                        MessageButtons::YesNoCancel),
                 Answer::No);
        showError(nullptr, u"broken"_s);
        QCOMPARE(Dialogs::current().openFileName(nullptr, u"Open"_s, u"Choices.txt"_s),
                 std::optional<QString>(u"/tmp/a.txt"_s));
        QCOMPARE(Dialogs::current().saveFileName(nullptr, u"Save"_s, u"x"_s, u"txt"_s),
                 std::optional<QString>());

        QCOMPARE(dialogs.questions.size(), 2u);
        QCOMPARE(dialogs.questions[0].text, u"保存しますか？"_s);
        QCOMPARE(dialogs.questions[0].icon, MessageIcon::Warning);
        QCOMPARE(dialogs.questions[0].buttons, MessageButtons::YesNoCancel);
        QCOMPARE(dialogs.questions[1].icon, MessageIcon::Error);
        QCOMPARE(dialogs.questions[1].buttons, MessageButtons::Ok);
        QCOMPARE(dialogs.fileRequests.size(), 2u);
        QCOMPARE(dialogs.fileRequests[0].kind, ScriptedDialogs::FileKind::Open);
        QCOMPARE(dialogs.fileRequests[0].proposed, u"Choices.txt"_s);
        QCOMPARE(dialogs.fileRequests[1].kind, ScriptedDialogs::FileKind::Save);
        QCOMPARE(dialogs.fileRequests[1].defaultSuffix, u"txt"_s);
        QVERIFY(dialogs.unexpected.isEmpty());
    }
    QCOMPARE(&Dialogs::current(), real);
}

void TestToolkitDialogs::scriptedDialogsReportAnUnscriptedDialog()
{
    ScriptedDialogs dialogs;
    dialogs.strict = false; // this test looks at the report itself

    QCOMPARE(
        Dialogs::current().ask(nullptr, u"q"_s, MessageIcon::Information, MessageButtons::OkCancel),
        Answer::Cancel);
    QCOMPARE(dialogs.unexpected.size(), 1);

    dialogs.answer(Answer::Yes); // not a button of an OK/Cancel box
    QCOMPARE(
        Dialogs::current().ask(nullptr, u"q"_s, MessageIcon::Information, MessageButtons::OkCancel),
        Answer::Cancel);
    QCOMPARE(dialogs.unexpected.size(), 2);

    QCOMPARE(Dialogs::current().openFileName(nullptr, QString(), u"x"_s), std::optional<QString>());
    QCOMPARE(dialogs.unexpected.size(), 3);
    QCOMPARE(dialogs.questions.size(), 2u);
    QCOMPARE(dialogs.fileRequests.size(), 1u);
}

void TestToolkitDialogs::fileDialogRemembersTheLastName()
{
    ScriptedDialogs dialogs;
    FileDialog open(FileDialog::Kind::Open, u"OpenDialog1"_s, nullptr);
    QCOMPARE(open.objectName(), u"OpenDialog1"_s);
    open.setFileName(u"Choices.txt"_s);
    open.setTitle(u"Load Choices"_s);

    dialogs.chooseFile(u"/data/mine.txt"_s);
    QVERIFY(open.execute(nullptr));
    QCOMPARE(open.fileName(), u"/data/mine.txt"_s);

    dialogs.cancelFile();
    QVERIFY(!open.execute(nullptr));
    QCOMPARE(open.fileName(), u"/data/mine.txt"_s); // a cancel forgets nothing

    QCOMPARE(dialogs.fileRequests.size(), 2u);
    QCOMPARE(dialogs.fileRequests[0].proposed, u"Choices.txt"_s);
    QCOMPARE(dialogs.fileRequests[0].title, u"Load Choices"_s);
    QCOMPARE(dialogs.fileRequests[1].proposed, u"/data/mine.txt"_s);

    FileDialog save(FileDialog::Kind::Save, u"SaveDialog"_s, nullptr);
    save.setDefaultSuffix(u"txt"_s);
    dialogs.chooseFile(u"/data/enemies.txt"_s);
    QVERIFY(save.execute(nullptr));
    QCOMPARE(dialogs.fileRequests[2].kind, ScriptedDialogs::FileKind::Save);
    QCOMPARE(dialogs.fileRequests[2].defaultSuffix, u"txt"_s);
    QCOMPARE(save.fileName(), u"/data/enemies.txt"_s);
    dialogs.chooseFile(u"/data/more"_s); // typed without an extension
    QVERIFY(save.execute(nullptr));
    QCOMPARE(save.fileName(), u"/data/more.txt"_s);
}

void TestToolkitDialogs::runGuardedShowsTheErrorText_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("shown");

    QTest::newRow("system message") << 0 << u"Cannot open \"敵.txt\": No such file or directory"_s;
    QTest::newRow("file name bytes that are not UTF-8")
        << 1 << u"Cannot open \"\uFFFD.txt\": Permission denied"_s;
    QTest::newRow("not a std::exception") << 2 << QString();
    QTest::newRow("out of memory") << 3 << QString();
}

void TestToolkitDialogs::runGuardedShowsTheErrorText()
{
    QFETCH(int, kind);
    QFETCH(QString, shown);

    ScriptedDialogs dialogs;
    dialogs.answer(Answer::Ok);
    int done = 0;
    const bool ok = runGuarded(nullptr, [&] {
        ++done;
        if (kind == 0)
            throw std::runtime_error("Cannot open \"敵.txt\": No such file or directory");
        if (kind == 1)
            throw std::runtime_error("Cannot open \"\xFF.txt\": Permission denied");
        if (kind == 3)
            throw std::bad_alloc();
        throw 42;
    });
    QVERIFY(!ok);
    QCOMPARE(done, 1); // what ran before the failure stays done
    QCOMPARE(dialogs.questions.size(), 1u);
    QCOMPARE(dialogs.questions[0].icon, MessageIcon::Error);
    QCOMPARE(dialogs.questions[0].buttons, MessageButtons::Ok);
    if (shown.isEmpty())
        QVERIFY(!dialogs.questions[0].text.isEmpty() &&
                !dialogs.questions[0].text.contains(u"std::"_s));
    else
        QCOMPARE(dialogs.questions[0].text, shown);

    QVERIFY(runGuarded(nullptr, [] {}));
    QCOMPARE(dialogs.questions.size(), 1u);
}

void TestToolkitDialogs::messageBoxButtons_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("detail");

    const int info = int(MessageIcon::Information);
    const int warning = int(MessageIcon::Warning);
    const int error = int(MessageIcon::Error);
    const int ok = int(MessageButtons::Ok);
    const int okCancel = int(MessageButtons::OkCancel);
    const int yesNoCancel = int(MessageButtons::YesNoCancel);
    QTest::newRow("yes is the default") << warning << yesNoCancel << int(Qt::Key_Return)
                                        << int(Answer::Yes) << u"Grimtally"_s << QString();
    QTest::newRow("escape cancels a question")
        << warning << yesNoCancel << int(Qt::Key_Escape) << int(Answer::Cancel) << u"Grimtally"_s
        << QString();
    QTest::newRow("ok is the default") << info << okCancel << int(Qt::Key_Return) << int(Answer::Ok)
                                       << u"Grimtally"_s << QString();
    QTest::newRow("escape cancels ok/cancel") << info << okCancel << int(Qt::Key_Escape)
                                              << int(Answer::Cancel) << u"Grimtally"_s << QString();
    QTest::newRow("escape closes the error box")
        << error << ok << int(Qt::Key_Escape) << int(Answer::Ok) << u"Error"_s << QString();
    QTest::newRow("details beneath the fixed text")
        << info << ok << int(Qt::Key_Return) << int(Answer::Ok) << u"Grimtally"_s
        << u"Lines 2, 5\r\n<not kept>"_s;
}

void TestToolkitDialogs::messageBoxButtons()
{
    QFETCH(int, icon);
    QFETCH(int, buttons);
    QFETCH(int, key);
    QFETCH(int, answer);
    QFETCH(QString, title);
    QFETCH(QString, detail);

    QString seenTitle;
    QString seenText;
    QString seenDetail;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    OnModal<QMessageBox> press([&](QMessageBox* box) {
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenDetail = box->informativeText();
        seenIcon = box->icon();
        QTest::keyClick(box, Qt::Key(key));
    });
    const Answer given =
        Dialogs::current().ask(nullptr, u"データを上書きします。\r\n\r\nよろしいですか？"_s,
                               MessageIcon(icon), MessageButtons(buttons), detail);
    QVERIFY(press.acted());
    QVERIFY2(press.problems.isEmpty(), qUtf8Printable(press.problems.join(u'\n')));
    QCOMPARE(int(given), answer);
    QCOMPARE(seenTitle, title);
    QCOMPARE(seenText, u"データを上書きします。\n\nよろしいですか？"_s);
    QCOMPARE(seenDetail, QString(detail).replace(u"\r\n"_s, u"\n"_s));
    const QMessageBox::Icon expectedIcon = icon == int(MessageIcon::Error) ? QMessageBox::Critical
                                           : icon == int(MessageIcon::Warning)
                                               ? QMessageBox::Warning
                                               : QMessageBox::Information;
    QCOMPARE(seenIcon, expectedIcon);
}

void TestToolkitDialogs::openDialogAcceptsANewName()
{
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString fresh = directory.filePath(u"Fresh choices.txt"_s);

    OnModal<QFileDialog> accept([](QFileDialog* dialog) {
        QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite) ||
                dialog->acceptMode() == QFileDialog::AcceptOpen);
        // QFileDialog hides accept(); it is QDialog's public slot.
        static_cast<QDialog*>(dialog)->accept();
    });
    const std::optional<QString> chosen =
        Dialogs::current().openFileName(nullptr, u"Load Choices"_s, fresh);
    QVERIFY(accept.acted());
    QVERIFY2(accept.problems.isEmpty(), qUtf8Printable(accept.problems.join(u'\n')));
    QCOMPARE(chosen, std::optional<QString>(fresh));
    QVERIFY(!QFile::exists(fresh));
}

void TestToolkitDialogs::saveDialogAddsTheSuffixAndAsksNothing()
{
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString existing = directory.filePath(u"enemies.txt"_s);
    {
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    OnModal<QFileDialog> accept(
        [](QFileDialog* dialog) { // QFileDialog hides accept(); it is QDialog's public slot.
            static_cast<QDialog*>(dialog)->accept();
        });
    const std::optional<QString> chosen = Dialogs::current().saveFileName(
        nullptr, u"Save"_s, directory.filePath(u"enemies"_s), u"txt"_s);
    QVERIFY(accept.acted());
    // An overwrite question of the dialog's own would have been a second modal dialog.
    QVERIFY2(accept.problems.isEmpty(), qUtf8Printable(accept.problems.join(u'\n')));
    QCOMPARE(chosen, std::optional<QString>(existing));

    OnModal<QFileDialog> cancel([](QFileDialog* dialog) { dialog->reject(); });
    QCOMPARE(Dialogs::current().saveFileName(nullptr, u"Save"_s, existing, u"txt"_s),
             std::optional<QString>());
    QVERIFY(cancel.acted());
}

void TestToolkitDialogs::secondaryWindowTakesTurns()
{
    QWidget opener;
    new EditBox(&opener);
    auto* current = new EditBox(&opener);
    QWidget secondary;
    auto* button = new QPushButton(u"OK"_s, &secondary);
    new QPushButton(u"Cancel"_s, &secondary);

    QVERIFY(showActive(&opener));
    current->setFocus();
    QVERIFY(current->hasFocus());
    QSignalSpy exits(current, &EditBox::exited);

    openSecondary(&opener, &secondary, button);
    QVERIFY(!opener.isEnabled());
    QVERIFY(secondary.isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&secondary));
    QTRY_VERIFY(button->hasFocus());

    closeSecondary(&secondary, &opener);
    QVERIFY(!secondary.isVisible());
    QVERIFY(opener.isEnabled());
    QVERIFY(QTest::qWaitForWindowActive(&opener));
    QTRY_VERIFY(current->hasFocus()); // back where the user was
    QCOMPARE(exits.count(), 0);
}

QTEST_MAIN(TestToolkitDialogs)
#include "tst_toolkit_dialogs.moc"
