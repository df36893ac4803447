// The About box over the main window: every way out gives the main window back, the links
// turn purple with the hand under the pointer, and a click opens exactly what a link shows.
#include "tests/ui/support/editorsession.h"
#include "tests/ui/support/uitest.h"
#include "ui/about/taboutbox.h"
#include "ui/toolkit/linklabel.h"

#include <QAction>
#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>
#include <QtTest>

using namespace grimtally;
using namespace grimtally::ui;
using namespace Qt::StringLiterals;

class AboutBox : public QObject, private test::EditorSession {
    Q_OBJECT

    std::unique_ptr<TAboutBox> about_;
    QList<QUrl> opened_;

    bool openAbout()
    {
        QAction* item = form_->findChild<QAction*>(u"Menu_About"_s);
        if (!item)
            return false;
        item->trigger();
        return QTest::qWaitForWindowActive(about_.get());
    }

    // Through the window, as the pointer moves, so the widgets under it get enter and leave.
    void pointAt(QWidget* widget)
    {
        QTest::mouseMove(about_->windowHandle(),
                         widget->mapTo(about_.get(), widget->rect().center()));
    }

    QColor colourOf(const LinkLabel* link) const
    {
        return link->palette().color(QPalette::WindowText);
    }

public Q_SLOTS:
    void openUrl(const QUrl& url) { opened_ << url; }

private Q_SLOTS:
    void init()
    {
        QVERIFY(openSession());
        form_ = std::make_unique<TForm1>();
        QVERIFY(test::showActive(form_.get()));
        about_ = std::make_unique<TAboutBox>(form_.get());
        form_->setAboutBox(about_.get());
        for (const QString& scheme : {u"http"_s, u"https"_s})
            QDesktopServices::setUrlHandler(scheme, this, "openUrl");
        opened_.clear();
    }

    void cleanup()
    {
        for (const QString& scheme : {u"http"_s, u"https"_s})
            QDesktopServices::unsetUrlHandler(scheme);
        about_.reset();
        closeSession();
    }

    void everyWayOutGivesTheMainWindowBack_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("OK") << 0;
        QTest::newRow("Enter") << 1;
        QTest::newRow("Escape") << 2;
        QTest::newRow("close box") << 3;
    }

    void everyWayOutGivesTheMainWindowBack()
    {
        QFETCH(int, way);
        QVERIFY(openAbout());
        QVERIFY(!form_->isEnabled());
        QTRY_VERIFY(about_->OKButton->hasFocus());
        switch (way) {
        case 0:
            QTest::mouseClick(about_->OKButton, Qt::LeftButton);
            break;
        case 1:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            break;
        case 2:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            break;
        default:
            about_->close();
        }
        QVERIFY(!about_->isVisible());
        QVERIFY(form_->isEnabled());
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }

    void linksShowWhereThePointerIs()
    {
        QVERIFY(openAbout());
        LinkLabel* link = about_->L_URL2;
        QCOMPARE(colourOf(link), QColor(0, 0, 255));
        QVERIFY(link->font().underline());

        pointAt(about_->Version);
        pointAt(link);
        QTRY_COMPARE(colourOf(link), QColor(128, 0, 128));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(colourOf(about_->L_URL1), QColor(0, 0, 255));

        pointAt(about_->Version);
        QTRY_COMPARE(colourOf(link), QColor(0, 0, 255));
        QCOMPARE(link->cursor().shape(), Qt::ArrowCursor);
    }

    void aClickOpensWhatTheLinkShows()
    {
        QVERIFY(openAbout());
        for (LinkLabel* link : {about_->L_URL1, about_->L_URL2, about_->L_URL3}) {
            opened_.clear();
            QTest::mouseClick(link, Qt::LeftButton);
            QCOMPARE(opened_.size(), 1);
            QCOMPARE(opened_.front().toString(), link->text());
            // Nobody's real site: the reserved example domains only.
            QVERIFY2(opened_.front().host().endsWith(u"example.org"_s) ||
                         opened_.front().host().endsWith(u"example.com"_s) ||
                         opened_.front().host().endsWith(u"example.net"_s),
                     qPrintable(link->text()));
        }
        QVERIFY(about_->isVisible()); // a link leaves the box open
    }
};

QTEST_MAIN(AboutBox)
#include "tst_aboutbox.moc"
