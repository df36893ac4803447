// The About box as the program wires it: every way out gives the main window back, the links
// turn purple with the hand under the pointer, and a click opens exactly what a link shows.
#include "core/version.h"
#include "tests/ui/support/editorsession.h"
#include "ui/about/taboutbox.h"
#include "ui/app/programwindows.h"
#include "ui/toolkit/linklabel.h"

#include <QAction>
#include <QDesktopServices>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

using namespace grimtally;
using namespace grimtally::ui;
using namespace Qt::StringLiterals;

class AboutBox : public QObject, private test::EditorSession {
    Q_OBJECT

    std::optional<ProgramWindows> windows_;
    TAboutBox* about_ = nullptr;
    QList<QUrl> opened_;

    void open()
    {
        QVERIFY(QTest::qWaitForWindowActive(windows_->form1.get()));
        windows_->form1->findChild<QAction*>(u"Menu_About"_s)->trigger();
        QVERIFY(QTest::qWaitForWindowActive(about_));
        QVERIFY(!windows_->form1->isEnabled());
    }

    // Through the window, as a pointer moves, so the widgets under it get enter and leave.
    void pointAt(QWidget* widget)
    {
        QTest::mouseMove(about_->windowHandle(), widget->mapTo(about_, widget->rect().center()));
    }

public Q_SLOTS:
    void openUrl(const QUrl& url) { opened_ << url; }

private Q_SLOTS:
    void init()
    {
        QVERIFY(openSession());
        dialogs_->cancelFile(); // no choice file
        windows_.emplace(createProgramWindows());
        about_ = windows_->aboutBox.get();
        QDesktopServices::setUrlHandler(u"https"_s, this, "openUrl");
    }

    void cleanup()
    {
        QDesktopServices::unsetUrlHandler(u"https"_s);
        windows_.reset();
        closeSession();
    }

    void everyWayOutGivesTheMainWindowBack()
    {
        for (int way = 0; way < 4; ++way) {
            open();
            QTRY_VERIFY(about_->OKButton->hasFocus());
            if (way == 0)
                QTest::mouseClick(about_->OKButton, Qt::LeftButton);
            else if (way == 3)
                about_->close();
            else
                QTest::keyClick(about_->OKButton, way == 1 ? Qt::Key_Return : Qt::Key_Escape);
            QVERIFY(!about_->isVisible());
            QVERIFY(windows_->form1->isEnabled());
        }
    }

    void linksFollowThePointerAndOpenTheirCaption()
    {
        open();
        LinkLabel* link = about_->L_URL2;
        const QColor blue(0, 0, 255);
        QCOMPARE(link->palette().color(QPalette::WindowText), blue);
        pointAt(about_->Version);
        pointAt(link);
        QTRY_COMPARE(link->palette().color(QPalette::WindowText), QColor(128, 0, 128));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        pointAt(about_->Version);
        QTRY_COMPARE(link->palette().color(QPalette::WindowText), blue);
        QCOMPARE(link->cursor().shape(), Qt::ArrowCursor);

        for (LinkLabel* each : {about_->L_URL1, about_->L_URL2, about_->L_URL3})
            QTest::mouseClick(each, Qt::LeftButton);
        const QList<QUrl> shown = {QUrl(about_->L_URL1->text()), QUrl(about_->L_URL2->text()),
                                   QUrl(about_->L_URL3->text())};
        QCOMPARE(opened_, shown);
        QVERIFY(about_->isVisible());
    }

    // The build's release date, which the build writes with hyphens, in the box's own form.
    void versionIsTheReleaseDateWithSlashes()
    {
        const QRegularExpression form(uR"(^Version (\d{4})/(\d{2})/(\d{2})$)"_s);
        const QRegularExpressionMatch date = form.match(about_->Version->text());
        QVERIFY2(date.hasMatch(), qPrintable(about_->Version->text()));
        QCOMPARE(date.captured(1) + u'-' + date.captured(2) + u'-' + date.captured(3),
                 QString::fromUtf8(kReleaseDate));
    }
};

QTEST_MAIN(AboutBox)
#include "tst_aboutbox.moc"
