#include "ui/about/taboutbox.h"

#include "core/version.h"
#include "ui/toolkit/appearance.h"
#include "ui/toolkit/formwindow.h"
#include "ui/toolkit/label.h"
#include "ui/toolkit/linklabel.h"
#include "ui/toolkit/windowprotocol.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace grimtally::ui {

using namespace Qt::StringLiterals;

namespace {

constexpr int kLinkRight = 396; // the links' right edge within the panel

QLabel* label(QWidget* parent, const QString& name, const QString& text, QPoint at)
{
    auto* result = new Label(parent, name, Label::Anchor::Left, at.x(), at.y());
    result->setCaption(text);
    return result;
}

} // namespace

TAboutBox::TAboutBox(QWidget* mainWindow)
    : QDialog(nullptr, kFixedDialogFlags), mainWindow_(mainWindow)
{
    setUpFormWindow(this, u"TAboutBox"_s, tr("バージョン情報"), 424, 229);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setGeometry(8, 8, 409, 177);
    // A lowered outer and a raised inner bevel: the etched frame.
    Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(u"ProgramIcon"_s);
    ProgramIcon->setGeometry(8, 8, 64, 64);
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(applicationIcon().pixmap(64, 64));

    ProductName = label(Panel1, u"ProductName"_s, tr("Grimtally"), {80, 8});
    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(16);
    ProductName->setFont(bold);
    ProductName->adjustSize();

    // The box names a version by its release date, written with slashes; the number itself
    // shows where the pointer rests on it.
    const QString releaseDate = QString::fromUtf8(kReleaseDate).replace(u'-', u'/');
    Version = label(Panel1, u"Version"_s, tr("Version %1").arg(releaseDate), {152, 32});
    Version->setToolTip(u"Grimtally "_s + QString::fromUtf8(kVersion));
    Credit1 =
        label(Panel1, u"Credit1"_s, tr("Written and kept by the Grimtally developers"), {120, 56});
    L_URL1 =
        new LinkLabel(Panel1, u"L_URL1"_s, kLinkRight, 72, u"https://grimtally.example.org/"_s);

    Bevel1 = new QFrame(Panel1);
    Bevel1->setObjectName(u"Bevel1"_s);
    Bevel1->setGeometry(8, 88, 393, 2);
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    Label1 = label(Panel1, u"Label1"_s, tr("Marrowfane RPG"), {16, 96});
    Credit2 =
        label(Panel1, u"Credit2"_s, tr("A tabletop game of the Marrowfane circle"), {120, 96});
    L_URL2 =
        new LinkLabel(Panel1, u"L_URL2"_s, kLinkRight, 112, u"https://marrowfane.example.com/"_s);
    Credit3 = label(Panel1, u"Credit3"_s, tr("Rule books from the Example Press"), {120, 136});
    L_URL3 = new LinkLabel(Panel1, u"L_URL3"_s, kLinkRight, 152, u"https://press.example.net/"_s);

    OKButton = new QPushButton(tr("OK"), this);
    OKButton->setObjectName(u"OKButton"_s);
    OKButton->setGeometry(175, 196, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
    // Whoever focuses the box focuses its OK button, so Enter closes it at once.
    setFocusProxy(OKButton);
}

void TAboutBox::OKButtonClick()
{
    closeSecondary(this, mainWindow_);
}

void TAboutBox::reject()
{
    OKButtonClick();
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        centreOnScreen(this);
}

} // namespace grimtally::ui
