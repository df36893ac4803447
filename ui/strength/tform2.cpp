#include "ui/strength/tform2.h"

#include "core/records/fieldtable.h"
#include "core/rules/strength.h"
#include "ui/toolkit/appearance.h"
#include "ui/toolkit/combobox.h"
#include "ui/toolkit/dialogs.h"
#include "ui/toolkit/editbox.h"
#include "ui/toolkit/formwindow.h"
#include "ui/toolkit/label.h"
#include "ui/toolkit/spinedit.h"
#include "ui/toolkit/windowprotocol.h"

#include <QEvent>
#include <QPushButton>

#include <algorithm>
#include <climits>

namespace grimtally::ui {

using namespace Qt::StringLiterals;

TForm2::TForm2(EditorLink link) : QDialog(nullptr, kFixedDialogFlags), link_(std::move(link))
{
    setUpFormWindow(this, u"TForm2"_s, tr("Form2"), 330, 177);
    move(192, 133);

    using Anchor = Label::Anchor;
    Label1 = new Label(this, u"Label1"_s, Anchor::Left, 8, 8);
    Label1->setCaption(tr("モンスターレベルと攻撃方法、打撃点から、筋力を逆算します。"));
    Label2 = new Label(this, u"Label2"_s, Anchor::Left, 8, 24);
    Label2->setCaption(tr("算出される筋力は目安で、実際の値と前後することもあります。"));
    Level_L = new Label(this, u"Level_L"_s, Anchor::Right, 85, 51);
    Level_L->setCaption(tr("Monster Level"));
    Label3 = new Label(this, u"Label3"_s, Anchor::Left, 32, 80);
    Label3->setCaption(tr("攻撃方法"));
    Label4 = new Label(this, u"Label4"_s, Anchor::Left, 48, 112);
    Label4->setCaption(tr("打撃点"));
    Label5 = new Label(this, u"Label5"_s, Anchor::Left, 32, 144);
    Label5->setCaption(tr("推定筋力"));

    Level_O = placed(new SpinEdit(this, 0, kNumberMaximum), u"Level_O"_s, {88, 48, 57, 21});
    Level_O->setText(u"1"_s);
    ComboBox1 = placed(new ComboBox(this), u"ComboBox1"_s, {88, 80, 145, 20});
    SpinEdit1 = placed(new SpinEdit(this, 0, kNumberMaximum), u"SpinEdit1"_s, {88, 112, 57, 21});
    SpinEdit1->setText(u"0"_s);
    Edit1 = placed(new ReadOnlyBox(this), u"Edit1"_s, {88, 144, 57, 20});
    Edit1->setFocusPolicy(Qt::StrongFocus); // so the estimate can be selected and copied
    Button1 = placed(new QPushButton(tr("計算"), this), u"Button1"_s, {152, 144, 75, 25});
    Button2 = placed(new QPushButton(tr("送信"), this), u"Button2"_s, {232, 144, 75, 25});

    setTabOrder(Level_O, ComboBox1);
    setTabOrder(ComboBox1, SpinEdit1);
    setTabOrder(SpinEdit1, Button1);
    setTabOrder(Button1, Edit1);
    setTabOrder(Edit1, Button2);

    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
    // The shown estimate always belongs to the shown inputs, so Send never pairs one level
    // with the strength worked out for another.
    const auto forgetEstimate = [this] { Edit1->clear(); };
    connect(Level_O, &SpinEdit::changed, this, forgetEstimate);
    connect(SpinEdit1, &SpinEdit::changed, this, forgetEstimate);
    connect(ComboBox1, &ComboBox::changed, this, forgetEstimate);
}

void TForm2::showEstimate()
{
    setWindowTitle(tr("筋力逆算ダイアログ"));
    // Without a choice file read the list stays as it is; with one it follows the file.
    if (const std::optional<ChoiceTables>& tables = link_.tables()) {
        ComboBox1->setEntries(tables->attackNames());
        ComboBox1->selectIndex(ComboBox1->entryCount() > 0 ? 0 : -1);
        Edit1->clear();
    }
    openSecondary(link_.editor, this, Button1);
}

void TForm2::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TForm2::FormActivate()
{
    Level_O->setValue(link_.level());
}

void TForm2::Button1Click()
{
    const int row = ComboBox1->selectedIndex();
    const std::optional<ChoiceTables>& tables = link_.tables();
    if (row < 0 || !tables)
        return; // no attack chosen: the shown estimate stays
    runGuarded(this, [&] {
        const std::int64_t strength =
            estimateStrength(*tables, row, Level_O->value(), SpinEdit1->value());
        Edit1->setText(QString::number(strength));
    });
}

void TForm2::Button2Click()
{
    // No estimate shown means nothing to send: the editor's strength stays as it is.
    bool estimated = false;
    const qlonglong strength = Edit1->text().toLongLong(&estimated);
    std::optional<int> sent;
    if (estimated)
        sent = static_cast<int>(std::clamp<qlonglong>(strength, INT_MIN, INT_MAX));
    link_.send(sent, Level_O->value());
    FormClose();
}

void TForm2::FormClose()
{
    closeSecondary(this, link_.editor);
}

void TForm2::reject()
{
    FormClose();
}

} // namespace grimtally::ui
