#include "ui/editor/tchoicesdlg.h"

#include "ui/toolkit/appearance.h"
#include "ui/toolkit/cp932text.h"
#include "ui/toolkit/formwindow.h"
#include "ui/toolkit/memo.h"
#include "ui/toolkit/windowprotocol.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

namespace grimtally::ui {

using namespace Qt::StringLiterals;

namespace {

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, int top)
{
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(name);
    result->setGeometry(180, top, 75, 25);
    return result;
}

} // namespace

TChoicesDlg::TChoicesDlg(EditorLink link)
    : QDialog(nullptr, kFixedDialogFlags), link_(std::move(link))
{
    setUpFormWindow(this, u"TChoicesDlg"_s, tr("選択ダイアログ"), 264, 179);

    GroupBox1 = new QGroupBox(tr("Choices"), this);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    GroupBox1->setGeometry(8, 8, 161, 161);
    ListBox1 = new QListWidget(GroupBox1);
    ListBox1->setObjectName(u"ListBox1"_s);
    ListBox1->setGeometry(8, 16, 145, 137);
    // A long ability is scrolled to, not cut short with an ellipsis.
    ListBox1->setTextElideMode(Qt::ElideNone);

    OKBtn = button(this, u"OKBtn"_s, tr("OK"), 8);
    OKBtn->setDefault(true);
    CancelBtn = button(this, u"CancelBtn"_s, tr("キャンセル"), 38);
    HelpBtn = button(this, u"HelpBtn"_s, tr("ヘルプ(&H)"), 68);
    connect(OKBtn, &QPushButton::clicked, this, &TChoicesDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TChoicesDlg::CancelBtnClick);
}

void TChoicesDlg::showAbilities()
{
    setWindowTitle(tr("特殊能力の選択"));
    GroupBox1->setTitle(tr("特殊能力"));
    // The picker has no help to give.
    HelpBtn->setEnabled(false);
    HelpBtn->setVisible(false);
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);

    entries_ = link_.abilityList();
    ListBox1->clear();
    for (const std::string& entry : entries_)
        ListBox1->addItem(fromCp932(entry));
    ListBox1->clearSelection();
    openSecondary(link_.editor, this, OKBtn);
}

void TChoicesDlg::OKBtnClick()
{
    // Row order, not the order of clicking; the bytes as the choice file has them.
    for (int row = 0; row < ListBox1->count(); ++row) {
        if (ListBox1->item(row)->isSelected())
            link_.abilities->appendLine(entries_.at(static_cast<std::size_t>(row)));
    }
    closeSecondary(this, link_.editor);
}

void TChoicesDlg::CancelBtnClick()
{
    OKBtn->setFocus(Qt::OtherFocusReason);
    closeSecondary(this, link_.editor);
}

void TChoicesDlg::reject()
{
    CancelBtnClick();
}

void TChoicesDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        centreOnScreen(this);
}

} // namespace grimtally::ui
