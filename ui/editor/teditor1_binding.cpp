// The editor's binding to the enemy form: every field's control found by the field table,
// the user's changes and exits forwarded to the form, what the form changed put back; and the
// record moving between the store and the form, with the four command buttons.
#include "core/records/fieldtable.h"
#include "ui/editor/editorhost.h"
#include "ui/editor/teditor1.h"
#include "ui/toolkit/appearance.h"
#include "ui/toolkit/checkbox.h"
#include "ui/toolkit/combobox.h"
#include "ui/toolkit/dialogs.h"
#include "ui/toolkit/editbox.h"
#include "ui/toolkit/memo.h"
#include "ui/toolkit/spinedit.h"
#include "ui/toolkit/windowprotocol.h"

#include <QPushButton>
#include <QShortcut>

namespace grimtally::ui {

void TEditor1::bindFields()
{
    for (const FieldInfo& info : kFieldTable) {
        const auto slot = static_cast<std::size_t>(info.field + 1);
        if (!info.control.empty())
            inputs_[slot] = findChild<QWidget*>(QString::fromLatin1(info.control));
        if (hasDiceBase(info.field))
            diceBases_[slot - 1] =
                findChild<ReadOnlyBox*>(QString::fromLatin1(info.diceBaseControl));
        QWidget* input = inputs_[slot];
        const int field = info.field;
        // Each kind of control tells of the user's changes and of leaving it in its own way.
        if (auto* spin = qobject_cast<SpinEdit*>(input)) {
            connect(spin, &SpinEdit::changed, this, [this, field] { onEdited(field); });
            connect(spin, &SpinEdit::exited, this, [this, field] { onLeft(field); });
        } else if (auto* box = qobject_cast<ComboBox*>(input)) {
            connect(box, &ComboBox::changed, this, [this, field] { onChosen(field); });
            connect(box, &ComboBox::exited, this, [this, field] { onLeft(field); });
        } else if (auto* edit = qobject_cast<EditBox*>(input)) {
            connect(edit, &EditBox::changed, this, [this, field] { onEdited(field); });
        } else if (auto* memo = qobject_cast<Memo*>(input)) {
            connect(memo, &Memo::textChanged, this, &TEditor1::onAbilitiesEdited);
        }
    }
    showWholeForm();
}

void TEditor1::showWholeForm()
{
    // Every text; which inputs are on is put back as it changes, and they start enabled.
    FormChanges changes = FormChanges::everything();
    changes.enabling.reset();
    putBack(changes);
}

void TEditor1::connectButtons()
{
    const auto onClick = [this](QPushButton* button, void (TEditor1::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    onClick(B_Resist, &TEditor1::B_ResistClick);
    onClick(B_Cancel, &TEditor1::B_CancelClick);
    onClick(B_Reload, &TEditor1::B_ReloadClick);
    onClick(B_Reset, &TEditor1::B_ResetClick);
    onClick(B_LoadChoices, &TEditor1::B_LoadChoicesClick);
    onClick(Ability_B, &TEditor1::Ability_BClick);
    onClick(B_Generate, &TEditor1::B_GenerateClick);
    onClick(Button1, &TEditor1::Button1Click);

    // Escape is Cancel's key, question and all.
    auto* cancelKey = new QShortcut(QKeySequence(QKeySequence::Cancel), this);
    cancelKey->setObjectName(QStringLiteral("B_CancelKey"));
    connect(cancelKey, &QShortcut::activated, B_Cancel, &QPushButton::click);
}

// --- the user's changes to the form ---

void TEditor1::onEdited(int field)
{
    QWidget* input = inputs_[static_cast<std::size_t>(field + 1)];
    const auto* spin = qobject_cast<const SpinEdit*>(input);
    const std::string bytes = spin ? spin->bytes() : static_cast<const EditBox*>(input)->bytes();
    // The text the form put back, or the same text again: nothing to tell it.
    if (bytes == form_.text(field))
        return;
    putBack(form_.put(field, bytes));
}

void TEditor1::onChosen(int field)
{
    const auto* box = static_cast<const ComboBox*>(inputs_[static_cast<std::size_t>(field + 1)]);
    putBack(form_.choose(field, box->bytes(), box->selectedIndex()));
}

void TEditor1::onLeft(int field)
{
    putBack(form_.leave(field));
}

void TEditor1::onAbilitiesEdited()
{
    std::vector<std::string> lines = Ability_O->lines();
    if (lines != form_.abilities())
        putBack(form_.putAbilities(std::move(lines)));
}

void TEditor1::onTicked(std::size_t index, bool ticked)
{
    if (index < form_.subSenseCaptions().size() && form_.subSenseTicked(index) != ticked)
        putBack(form_.tickSubSense(index, ticked));
}

// --- what the form changed, back into the controls ---

void TEditor1::putBack(const FormChanges& changes)
{
    for (int field = kNameField; field < kFieldCount; ++field) {
        if (changes.text(field))
            showInput(field);
    }
    for (int field = 0; field < kFieldCount; ++field) {
        ReadOnlyBox* base = diceBases_[static_cast<std::size_t>(field)];
        if (base && changes.diceBases[static_cast<std::size_t>(field)])
            base->setText(QString::fromLatin1(form_.diceBaseOf(field)));
    }
    // After the texts: an input switched off under the focus gives it on, already emptied.
    for (int field = 0; field < kFieldCount; ++field) {
        if (!changes.enabling[static_cast<std::size_t>(field)])
            continue;
        const bool on = form_.enabled(field);
        setInputEnabled(inputs_[static_cast<std::size_t>(field + 1)], on);
        if (ReadOnlyBox* base = diceBases_[static_cast<std::size_t>(field)])
            base->setEnabled(on);
    }
    for (const RuleError& error : changes.errors)
        showError(dialogParent(), errorText(error));
}

void TEditor1::showInput(int field)
{
    if (field == FieldSubSenses) {
        for (std::size_t i = 0; i < SubSenseChecks.size(); ++i)
            SubSenseChecks[i]->setChecked(form_.subSenseTicked(i));
        return;
    }
    QWidget* input = inputs_[static_cast<std::size_t>(field + 1)];
    const std::string& text = form_.text(field);
    // A control that shows the form's text already is left alone: the user may be typing in
    // it, and putting the text in again would move the cursor.
    if (auto* spin = qobject_cast<SpinEdit*>(input)) {
        if (spin->bytes() != text)
            spin->setBytes(text);
    } else if (auto* edit = qobject_cast<EditBox*>(input)) {
        if (edit->bytes() != text)
            edit->setBytes(text);
    } else if (auto* box = qobject_cast<ComboBox*>(input)) {
        const int index = form_.selected(field);
        if (box->selectedIndex() == index && box->bytes() == text)
            return;
        const std::vector<std::string>& entries = form_.entries(field);
        if (index >= 0 ? entries[static_cast<std::size_t>(index)] == text : text.empty())
            box->selectIndex(index);
        else
            box->setBytes(text); // typed text, kept with its bytes
    } else if (auto* memo = qobject_cast<Memo*>(input)) {
        if (memo->lines() != form_.abilities())
            memo->setLines(form_.abilities());
    }
}

void TEditor1::putValue(int field, int value)
{
    putBack(form_.putValue(field, value));
}

void TEditor1::takePlan(const EnemyPlan& plan)
{
    putBack(form_.applyPlan(plan));
}

// --- the record ---

void TEditor1::DataInitialized()
{
    putBack(form_.newRecord());
}

void TEditor1::DataGot()
{
    const int slot = mainWindow_.selectedSlot();
    const RecordStore& store = mainWindow_.store();
    if (slot < 1 || slot >= store.slotCount())
        return;
    putBack(form_.load(store.name(slot), store.fields(slot)));
}

void TEditor1::SendData()
{
    mainWindow_.registerRecord(form_.record());
    closeEditor();
}

void TEditor1::B_ResistClick()
{
    const QString question = mainWindow_.selectedRow() == 0
                                 ? tr("データを追加します。\r\n\r\nよろしいですか？")
                                 : tr("データを上書きします。\r\n\r\nよろしいですか？");
    switch (
        Dialogs::current().ask(this, question, MessageIcon::Warning, MessageButtons::YesNoCancel)) {
    case Answer::Yes:
        SendData();
        break;
    case Answer::No:
        closeEditor();
        break;
    default:
        break; // the editor stays open as it was
    }
}

void TEditor1::B_CancelClick()
{
    if (Dialogs::current().ask(this, tr("編集したデータを保存しません。\r\n\r\nよろしいですか？"),
                               MessageIcon::Warning, MessageButtons::OkCancel) == Answer::Ok)
        closeEditor();
}

void TEditor1::B_ReloadClick()
{
    if (Dialogs::current().ask(this, tr("データを編集前のものに戻します。\r\n\r\nよろしいですか？"),
                               MessageIcon::Warning, MessageButtons::OkCancel) != Answer::Ok)
        return;
    if (mainWindow_.selectedRow() == 0)
        DataInitialized();
    else
        DataGot();
}

void TEditor1::B_ResetClick()
{
    // Only the form goes back; the store keeps the record until it is registered.
    if (Dialogs::current().ask(this,
                               tr("データを新規作成のものと同じにします。\r\n\r\nよろしいですか？"),
                               MessageIcon::Warning, MessageButtons::OkCancel) == Answer::Ok)
        DataInitialized();
}

void TEditor1::closeEditor()
{
    closeSecondary(this, mainWindow_.hostWindow());
}

// The dialogs themselves disable this window while they are up and give it back.
void TEditor1::Ability_BClick()
{
    if (openers_.picker)
        openers_.picker();
}

void TEditor1::B_GenerateClick()
{
    if (openers_.generate)
        openers_.generate();
}

void TEditor1::Button1Click()
{
    if (openers_.strength)
        openers_.strength();
}

} // namespace grimtally::ui
