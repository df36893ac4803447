// The window set as the program starts it: every dialog hidden at first, each opened by its
// button or menu item over its disabled opener, and the opener given back on closing.
#include "tests/ui/support/scripteddialogs.h"
#include "tests/ui/support/uitest.h"
#include "ui/app/programwindows.h"
#include "ui/app/tform1.h"
#include "ui/editor/teditor1.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

using namespace Qt::StringLiterals;
using namespace grimtally;

class ProgramWindowsTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    QString startDir_;
    std::unique_ptr<test::ScriptedDialogs> dialogs_;
    std::optional<ui::ProgramWindows> windows_;

    static QWidget* window(const QString& name)
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == name)
                return widget;
        }
        return nullptr;
    }

private Q_SLOTS:
    void init()
    {
        startDir_ = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder_.path()));
        const QString shipped = QStringLiteral(GRIMTALLY_SHIPPED_DATA "/");
        QFile::remove(u"Choices.txt"_s);
        QVERIFY(QFile::copy(shipped + u"Choices.txt"_s, u"Choices.txt"_s));
        dialogs_ = std::make_unique<test::ScriptedDialogs>();
        dialogs_->chooseFile(u"Choices.txt"_s);
        windows_.emplace(ui::createProgramWindows());
        QVERIFY(QTest::qWaitForWindowActive(windows_->form1.get()));
    }

    void cleanup()
    {
        windows_.reset();
        dialogs_.reset();
        QDir::setCurrent(startDir_);
    }

    void eachCommandOpensItsWindow_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("opened");
        QTest::newRow("Add from list") << u"Ability_B"_s << u"TChoicesDlg"_s;
        QTest::newRow("strength") << u"Button1"_s << u"TForm2"_s;
        QTest::newRow("About") << u"Menu_About"_s << u"TAboutBox"_s;
    }

    void eachCommandOpensItsWindow()
    {
        QFETCH(QString, command);
        QFETCH(QString, opened);

        for (const QString& name : {u"TChoicesDlg"_s, u"TAboutBox"_s, u"TForm2"_s}) {
            QVERIFY2(window(name), qPrintable(name));
            QVERIFY2(!window(name)->isVisible(), qPrintable(name));
        }

        QWidget* opener = windows_->form1.get();
        if (QAction* item = windows_->form1->findChild<QAction*>(command)) {
            item->trigger();
        } else {
            windows_->form1->selectRow(0);
            windows_->form1->ListView1DblClick();
            opener = windows_->editor1.get();
            QVERIFY(QTest::qWaitForWindowActive(opener));
            GT_FIND(QPushButton, button, opener, command);
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QWidget* dialog = window(opened);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QVERIFY(!opener->isEnabled());

        dialog->close();
        QVERIFY(!dialog->isVisible());
        QVERIFY(opener->isEnabled());
        QVERIFY(QTest::qWaitForWindowActive(opener));
    }
};

QTEST_MAIN(ProgramWindowsTest)
#include "tst_programwindows.moc"
