// The editor's derived combat values: change handlers that re-derive what depends on an input,
// the enabling of the optional rows, and the leave checks. All arithmetic is core's.
#include "core/rules/combat.h"
#include "ui/editor/teditor1.h"
#include "ui/toolkit/appearance.h"
#include "ui/toolkit/combobox.h"
#include "ui/toolkit/dialogs.h"
#include "ui/toolkit/editbox.h"
#include "ui/toolkit/spinedit.h"

namespace grimtally::ui {

namespace {

std::string textBytes(const SpinEdit* spin)
{
    return toCp932(spin->text()).value_or(std::string());
}

// A spin edit's number where a rule needs one: the plain integer, unclamped, else 0.
int numberOf(const SpinEdit* spin)
{
    return spinValue(textBytes(spin));
}

template <class Control> void putNumber(Control* control, std::int64_t value)
{
    control->setText(QString::number(value));
}

// The number the selected entry of a numbered box carries, or `fallback` when nothing is
// selected or the entry has none.
int selectedNumber(const ComboBox* box, int fallback)
{
    const int index = box->selectedIndex();
    if (index < 0)
        return fallback;
    return box->entryNumber(index).value_or(fallback);
}

} // namespace

// --- change handlers ---

void TEditor1::Level_OChange(QObject* sender)
{
    if (Level_O->text().isEmpty())
        return;
    Attack_O11Change(sender);
    Attack_O21Change(sender);
    Attack_O31Change(sender);
    Dodge(sender);
    Prevent(sender);
    HPResist(sender);
    SPResist(sender);
}

void TEditor1::Str_OChange(QObject* sender)
{
    if (Str_O->text().isEmpty())
        return;
    Attack_O11Change(sender);
    Attack_O21Change(sender);
    Attack_O31Change(sender);
}

void TEditor1::Int_OChange(QObject* sender)
{
    if (Int_O->text().isEmpty())
        return;
    Magic_O11Change(sender);
    Magic_O21Change(sender);
    Magic_O31Change(sender);
}

void TEditor1::Movement_O21Change(QObject*)
{
    Movement_O21Enabled();
}

void TEditor1::Attack_O11Change(QObject*)
{
    Attack(0, Attack_O11, Attack_O12, Attack_O14);
}

void TEditor1::Attack_O21Change(QObject*)
{
    AttackEnabled(Attack_O21, Attack_O22, Attack_O23, Attack_O24);
    Attack(1, Attack_O21, Attack_O22, Attack_O24);
}

void TEditor1::Attack_O31Change(QObject*)
{
    AttackEnabled(Attack_O31, Attack_O32, Attack_O33, Attack_O34);
    Attack(1, Attack_O31, Attack_O32, Attack_O34);
}

void TEditor1::Attack_O12Change(QObject*)
{
    BaseChange(Attack_O12, Attack_O13);
}

void TEditor1::Attack_O22Change(QObject*)
{
    BaseChange(Attack_O22, Attack_O23);
}

void TEditor1::Attack_O32Change(QObject*)
{
    BaseChange(Attack_O32, Attack_O33);
}

void TEditor1::Defence_O2Change(QObject*)
{
    BaseChange(Defence_O2, Defence_O3);
}

void TEditor1::HP_O2Change(QObject*)
{
    BaseChange(HP_O2, HP_O3);
}

void TEditor1::SP_O2Change(QObject*)
{
    BaseChange(SP_O2, SP_O3);
}

void TEditor1::Magic_O11Change(QObject* sender)
{
    MagicEnabled(Magic_O11, Magic_O12, Magic_O13, Magic_O14);
    // Row 1 also derives its power when the box holds a typed text that is no entry.
    if (Magic_O11->selectedIndex() != 0)
        Magic_O12Change(sender);
}

void TEditor1::Magic_O21Change(QObject* sender)
{
    MagicEnabled(Magic_O21, Magic_O22, Magic_O23, Magic_O24);
    if (Magic_O21->selectedIndex() >= 1)
        Magic_O22Change(sender);
}

void TEditor1::Magic_O31Change(QObject* sender)
{
    MagicEnabled(Magic_O31, Magic_O32, Magic_O33, Magic_O34);
    if (Magic_O31->selectedIndex() >= 1)
        Magic_O32Change(sender);
}

void TEditor1::Magic_O12Change(QObject*)
{
    MagicLvChange(Magic_O12, Magic_O13);
}

void TEditor1::Magic_O22Change(QObject*)
{
    MagicLvChange(Magic_O22, Magic_O23);
}

void TEditor1::Magic_O32Change(QObject*)
{
    MagicLvChange(Magic_O32, Magic_O33);
}

void TEditor1::Magic_O13Change(QObject*)
{
    MagicPwChange(Magic_O13, Magic_O14);
}

void TEditor1::Magic_O23Change(QObject*)
{
    MagicPwChange(Magic_O23, Magic_O24);
}

void TEditor1::Magic_O33Change(QObject*)
{
    MagicPwChange(Magic_O33, Magic_O34);
}

// --- rule routines ---

void TEditor1::Dodge(QObject* sender)
{
    if (Dex_O->text().isEmpty())
        return;
    // With no sizes at all, or a typed size that is no entry, the size-neutral term.
    const int sizeTerm = Size_O->entryCount() == 0 ? 6 : selectedNumber(Size_O, 6);
    putNumber(Defence_O2, dodgeValue(numberOf(Level_O), numberOf(Dex_O), sizeTerm));
    Defence_O2Exit(sender);
}

void TEditor1::Prevent(QObject*)
{
    putNumber(Defence_O4, preventValue(numberOf(Level_O), selectedNumber(Hardness_O, 0)));
}

void TEditor1::HPResist(QObject*)
{
    putNumber(HP_O2, resistValue(textBytes(HP_O1), numberOf(Level_O)));
}

void TEditor1::SPResist(QObject*)
{
    putNumber(SP_O2, resistValue(textBytes(SP_O1), numberOf(Level_O)));
}

void TEditor1::Attack(int offset, ComboBox* method, SpinEdit* hit, EditBox* damage)
{
    const int index = method->selectedIndex();
    if (index < offset || !tables_)
        return;
    AttackValues values;
    try {
        values = attackValues(*tables_, index - offset, numberOf(Level_O), numberOf(Str_O));
    } catch (const RuleError& error) {
        // A flaw of the choice file: say what to mend and leave hit and damage as they were.
        showError(dialogParent(), errorText(error));
        return;
    }
    putNumber(hit, values.hit);
    // The damage may be the attack's hit key, bytes from the choice file kept as they are.
    damage->setBytes(values.damage);
}

void TEditor1::BaseChange(SpinEdit* value, ReadOnlyBox* base)
{
    if (const std::optional<int> number = readInteger(textBytes(value))) {
        putNumber(base, diceBase(*number));
    } else {
        value->setText(QString());
        base->setText(QString());
    }
}

void TEditor1::MagicLvChange(SpinEdit* level, SpinEdit* power)
{
    const std::optional<int> magicLevel = readInteger(textBytes(level));
    if (!magicLevel) {
        level->setText(QString());
        power->setText(QString());
        return;
    }
    if (Int_O->entryCount() == 0)
        return;
    putNumber(power, magicPower(*magicLevel, selectedNumber(Int_O, 0)));
}

void TEditor1::MagicPwChange(SpinEdit* power, ReadOnlyBox* base)
{
    BaseChange(power, base);
}

void TEditor1::Movement_O21Enabled()
{
    if (Movement_O21->selectedIndex() == 0) {
        Movement_O22->setText(QString());
        setInputEnabled(Movement_O22, false);
    } else {
        setInputEnabled(Movement_O22, true);
        if (Movement_O22->text().isEmpty())
            Movement_O22->setText(QStringLiteral("1"));
    }
}

void TEditor1::AttackEnabled(ComboBox* method, SpinEdit* hit, ReadOnlyBox* base, EditBox* damage)
{
    if (method->selectedIndex() == 0) {
        hit->setText(QString());
        setInputEnabled(hit, false);
        base->setText(QString());
        base->setEnabled(false);
        damage->setText(QString());
        setInputEnabled(damage, false);
    } else {
        setInputEnabled(damage, true);
        base->setEnabled(true);
        setInputEnabled(hit, true);
        if (hit->text().isEmpty())
            hit->setText(QStringLiteral("1"));
    }
}

void TEditor1::MagicEnabled(ComboBox* magic, SpinEdit* level, SpinEdit* power, ReadOnlyBox* base)
{
    if (magic->selectedIndex() == 0) {
        level->setText(QString());
        setInputEnabled(level, false);
        power->setText(QString());
        setInputEnabled(power, false);
        base->setEnabled(false);
    } else {
        base->setEnabled(true);
        setInputEnabled(power, true);
        setInputEnabled(level, true);
        if (level->text().isEmpty())
            level->setText(QStringLiteral("1"));
    }
}

// --- leave checks ---

void TEditor1::ComfirmHit(ComboBox* method, SpinEdit* hit, QObject* sender)
{
    // Disabled: the row was switched off under the focus, which is no leaving by the user.
    if (!hit->isEnabled() || !hit->text().isEmpty())
        return;
    if (method->selectedIndex() < 0) {
        hit->setValue(7);
        return;
    }
    if (method == Attack_O11)
        Attack_O11Change(sender);
    else if (method == Attack_O21)
        Attack_O21Change(sender);
    else if (method == Attack_O31)
        Attack_O31Change(sender);
}

void TEditor1::ConfirmPower(SpinEdit* power, ReadOnlyBox* base)
{
    if (!power->isEnabled())
        return; // switched off under the focus: stays empty
    if (power->text().isEmpty())
        power->setValue(7);
    putNumber(base, diceBase(numberOf(power)));
}

// --- exit handlers: combo boxes ---

void TEditor1::Classify_OExit(QObject* sender)
{
    ConfirmComboBox(Classify_O, sender);
}

void TEditor1::Celebrity_O2Exit(QObject* sender)
{
    ConfirmComboBox(Celebrity_O2, sender);
}

void TEditor1::Count_O1Exit(QObject* sender)
{
    ConfirmComboBox(Count_O1, sender);
}

void TEditor1::Count_O2Exit(QObject* sender)
{
    ConfirmComboBox(Count_O2, sender);
}

void TEditor1::Frequency_OExit(QObject* sender)
{
    ConfirmComboBox(Frequency_O, sender);
}

void TEditor1::Reaction_O1Exit(QObject* sender)
{
    ConfirmComboBox(Reaction_O1, sender);
}

void TEditor1::Reaction_O2Exit(QObject* sender)
{
    ConfirmComboBox(Reaction_O2, sender);
}

void TEditor1::Int_OExit(QObject* sender)
{
    ConfirmComboBox(Int_O, sender);
}

void TEditor1::Sense_OExit(QObject* sender)
{
    ConfirmComboBox(Sense_O, sender);
}

void TEditor1::Movement_O11Exit(QObject* sender)
{
    ConfirmComboBox(Movement_O11, sender);
}

void TEditor1::Movement_O21Exit(QObject* sender)
{
    ConfirmComboBox(Movement_O21, sender);
}

void TEditor1::Size_OExit(QObject* sender)
{
    ConfirmComboBox(Size_O, sender);
}

void TEditor1::Hardness_OExit(QObject* sender)
{
    ConfirmComboBox(Hardness_O, sender);
}

void TEditor1::Attack_O11Exit(QObject* sender)
{
    ConfirmComboBox(Attack_O11, sender);
}

void TEditor1::Attack_O21Exit(QObject* sender)
{
    ConfirmComboBox(Attack_O21, sender);
}

void TEditor1::Attack_O31Exit(QObject* sender)
{
    ConfirmComboBox(Attack_O31, sender);
}

void TEditor1::Magic_O11Exit(QObject* sender)
{
    ConfirmComboBox(Magic_O11, sender);
}

void TEditor1::Magic_O21Exit(QObject* sender)
{
    ConfirmComboBox(Magic_O21, sender);
}

void TEditor1::Magic_O31Exit(QObject* sender)
{
    ConfirmComboBox(Magic_O31, sender);
}

// --- exit handlers: spin edits that must not stay empty ---

void TEditor1::Level_OExit(QObject*)
{
    ConfirmSpinEdit(Level_O, 1);
}

void TEditor1::Celebrity_O1Exit(QObject*)
{
    ConfirmSpinEdit(Celebrity_O1, 1);
}

void TEditor1::Dex_OExit(QObject*)
{
    ConfirmSpinEdit(Dex_O, 1);
}

void TEditor1::Movement_O12Exit(QObject*)
{
    ConfirmSpinEdit(Movement_O12, 1);
}

void TEditor1::Movement_O22Exit(QObject*)
{
    ConfirmSpinEdit(Movement_O22, 1);
}

void TEditor1::Str_OExit(QObject*)
{
    ConfirmSpinEdit(Str_O, 1);
}

void TEditor1::Defence_O2Exit(QObject*)
{
    ConfirmSpinEdit(Defence_O2, 1);
}

void TEditor1::HP_O1Exit(QObject*)
{
    ConfirmSpinEdit(HP_O1, 1);
}

void TEditor1::SP_O1Exit(QObject*)
{
    ConfirmSpinEdit(SP_O1, 1);
}

void TEditor1::Magic_O12Exit(QObject*)
{
    ConfirmSpinEdit(Magic_O12, 1);
}

void TEditor1::Magic_O22Exit(QObject*)
{
    ConfirmSpinEdit(Magic_O22, 1);
}

void TEditor1::Magic_O32Exit(QObject*)
{
    ConfirmSpinEdit(Magic_O32, 1);
}

// --- exit handlers: derived values left empty are derived again ---

void TEditor1::Attack_O12Exit(QObject* sender)
{
    ComfirmHit(Attack_O11, Attack_O12, sender);
}

void TEditor1::Attack_O22Exit(QObject* sender)
{
    ComfirmHit(Attack_O21, Attack_O22, sender);
}

void TEditor1::Attack_O32Exit(QObject* sender)
{
    ComfirmHit(Attack_O31, Attack_O32, sender);
}

void TEditor1::HP_O2Exit(QObject* sender)
{
    if (HP_O2->text().isEmpty())
        HPResist(sender);
}

void TEditor1::SP_O2Exit(QObject* sender)
{
    if (SP_O2->text().isEmpty())
        SPResist(sender);
}

void TEditor1::Magic_O13Exit(QObject*)
{
    ConfirmPower(Magic_O13, Magic_O14);
}

void TEditor1::Magic_O23Exit(QObject*)
{
    ConfirmPower(Magic_O23, Magic_O24);
}

void TEditor1::Magic_O33Exit(QObject*)
{
    ConfirmPower(Magic_O33, Magic_O34);
}

} // namespace grimtally::ui
