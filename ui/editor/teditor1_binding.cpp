// The editor's record binding: the new-record state, loading a stored record into the
// controls and registering them back, the four command buttons, and entry confirmation.
#include "core/records/record.h"
#include "core/text/commatext.h"
#include "core/text/sjis.h"
#include "ui/editor/editorhost.h"
#include "ui/editor/teditor1.h"
#include "ui/toolkit/checkbox.h"
#include "ui/toolkit/combobox.h"
#include "ui/toolkit/dialogs.h"
#include "ui/toolkit/editbox.h"
#include "ui/toolkit/label.h"
#include "ui/toolkit/memo.h"
#include "ui/toolkit/spinedit.h"
#include "ui/toolkit/windowprotocol.h"

#include <algorithm>
#include <array>
#include <utility>

namespace grimtally::ui {

namespace {

// Entry 0 when the box has one; a box without entries is left empty.
void selectFirst(ComboBox* box)
{
    box->selectIndex(box->entryCount() > 0 ? 0 : -1);
}

// The text of an optional box for the record: empty while it shows the none word.
std::string optionalText(const ComboBox* box)
{
    return box->selectedIndex() == 0 ? std::string() : box->bytes();
}

} // namespace

void TEditor1::DataInitialized(QObject* sender)
{
    for (ComboBox* box : {Classify_O, Celebrity_O2, Count_O1, Count_O2, Frequency_O, Reaction_O1,
                          Reaction_O2, Int_O, Sense_O})
        selectFirst(box);
    for (CheckBox* check : SubSenseChecks)
        check->setChecked(false);
    for (ComboBox* box : {Movement_O11, Movement_O21, Size_O, Hardness_O, Attack_O11, Attack_O21,
                          Attack_O31, Magic_O11, Magic_O21, Magic_O31})
        selectFirst(box);

    // Selecting from the program runs no handler, so the rows are switched and derived here.
    Movement_O21Change(sender);
    Attack_O11Change(sender);
    Attack_O21Change(sender);
    Attack_O31Change(sender);
    Dodge(sender);
    Prevent(sender);
    HPResist(sender);
    SPResist(sender);
    Int_OChange(sender);

    for (EditBox* box : {Name_O, Habitat_O, Language_O})
        box->setBytes({});
    // Each text runs its change handler, so the derived values follow the new inputs.
    for (SpinEdit* spin : {Level_O, Celebrity_O1, Dex_O, Movement_O12, Str_O, HP_O1, SP_O1})
        spin->setBytes("1");
    Ability_O->setLines({});
}

void TEditor1::DataGot(QObject*)
{
    const int slot = mainWindow_.selectedSlot();
    const RecordStore& store = mainWindow_.store();
    if (slot < 1 || slot >= store.slotCount())
        return;
    const FieldsView fields = store.fields(slot);
    // A short field list (a record that lost fields) loads its missing fields as empty.
    const auto field = [&fields](int number) {
        return number < fields.size() ? fields[number] : std::string_view();
    };

    // The order matters: every stored value is set after the inputs whose change handlers
    // would derive it, so the stored values are the ones left standing.
    Name_O->setBytes(store.name(slot));
    SetDataName(Classify_O, slot, FieldClassify);
    Level_O->setBytes(field(FieldLevel));
    Celebrity_O1->setBytes(field(FieldCelebrity));
    SetDataName(Celebrity_O2, slot, FieldCelebrityQualifier);
    SetDataName(Count_O1, slot, FieldCountLow);
    SetDataName(Count_O2, slot, FieldCountHigh);
    SetDataName(Frequency_O, slot, FieldFrequency);
    Habitat_O->setBytes(field(FieldHabitat));
    SetDataName(Reaction_O1, slot, FieldReaction);
    SetDataName(Reaction_O2, slot, FieldReaction2);
    SetDataName(Int_O, slot, FieldInt);
    Language_O->setBytes(field(FieldLanguage));
    SetDataName(Sense_O, slot, FieldSense);

    // A caption is found inside the stored text ("Keen Scent" checks "Scent") or, where the
    // stored comma text had to quote it (a caption with a double quote), as one of its items.
    const std::string_view subSenses = field(FieldSubSenses);
    const std::vector<std::string> storedSenses = splitCommaText(subSenses);
    for (CheckBox* check : SubSenseChecks) {
        const std::string& caption = check->captionBytes();
        check->setChecked(containsCp932(subSenses, caption) ||
                          std::ranges::find(storedSenses, caption) != storedSenses.end());
    }

    SetDataName(Size_O, slot, FieldSize);
    Dex_O->setBytes(field(FieldDex));
    SetDataName(Movement_O11, slot, FieldMainMovement);
    Movement_O12->setBytes(field(FieldMainSpeed));
    SetDataName(Movement_O21, slot, FieldSubMovement);
    Movement_O22->setBytes(field(FieldSubSpeed));
    Movement_O21Enabled();
    Str_O->setBytes(field(FieldStrength));
    SetDataName(Hardness_O, slot, FieldHardness);

    SetDataName(Attack_O11, slot, FieldAttack1Method);
    Attack_O12->setBytes(field(FieldAttack1Hit));
    Attack_O14->setBytes(field(FieldAttack1Damage));
    SetDataName(Attack_O21, slot, FieldAttack2Method);
    Attack_O22->setBytes(field(FieldAttack2Hit));
    Attack_O24->setBytes(field(FieldAttack2Damage));
    SetDataName(Attack_O31, slot, FieldAttack3Method);
    Attack_O32->setBytes(field(FieldAttack3Hit));
    Attack_O34->setBytes(field(FieldAttack3Damage));
    AttackEnabled(Attack_O21, Attack_O22, Attack_O23, Attack_O24);
    AttackEnabled(Attack_O31, Attack_O32, Attack_O33, Attack_O34);

    Defence_O2->setBytes(field(FieldDodge));
    Defence_O4->setBytes(field(FieldPrevent));
    HP_O1->setBytes(field(FieldHP));
    HP_O2->setBytes(field(FieldHPResist));
    SP_O1->setBytes(field(FieldSP));
    SP_O2->setBytes(field(FieldSPResist));

    SetDataName(Magic_O11, slot, FieldMagic1Kind);
    Magic_O12->setBytes(field(FieldMagic1Level));
    Magic_O13->setBytes(field(FieldMagic1Power));
    SetDataName(Magic_O21, slot, FieldMagic2Kind);
    Magic_O22->setBytes(field(FieldMagic2Level));
    Magic_O23->setBytes(field(FieldMagic2Power));
    SetDataName(Magic_O31, slot, FieldMagic3Kind);
    Magic_O32->setBytes(field(FieldMagic3Level));
    Magic_O33->setBytes(field(FieldMagic3Power));
    MagicEnabled(Magic_O11, Magic_O12, Magic_O13, Magic_O14);
    MagicEnabled(Magic_O21, Magic_O22, Magic_O23, Magic_O24);
    MagicEnabled(Magic_O31, Magic_O32, Magic_O33, Magic_O34);

    Ability_O->setLines(splitCommaText(field(FieldAbility)));
}

void TEditor1::SetDataName(ComboBox* box, int slot, int field)
{
    const FieldsView fields = mainWindow_.store().fields(slot);
    const std::string_view text = field < fields.size() ? fields[field] : std::string_view();
    if (text.empty()) {
        selectFirst(box);
        return;
    }
    const int index = box->findEntry(text);
    if (index >= 0)
        box->selectIndex(index);
    else
        box->setBytes(text); // a text that is no entry is kept as typed
}

void TEditor1::SendData(QObject*)
{
    std::array<std::string, kFieldCount> f;
    f[FieldClassify] = Classify_O->bytes();
    f[FieldLevel] = Level_O->bytes();
    f[FieldCelebrity] = Celebrity_O1->bytes();
    f[FieldCelebrityQualifier] = optionalText(Celebrity_O2);
    f[FieldDex] = Dex_O->bytes();
    f[FieldMainSpeed] = Movement_O12->bytes();
    f[FieldMainMovement] = Movement_O11->bytes();
    if (Movement_O21->selectedIndex() != 0) {
        f[FieldSubSpeed] = Movement_O22->bytes();
        f[FieldSubMovement] = Movement_O21->bytes();
    }
    f[FieldCountLow] = Count_O1->bytes();
    f[FieldCountHigh] = optionalText(Count_O2);
    f[FieldFrequency] = Frequency_O->bytes();
    f[FieldInt] = Int_O->bytes();
    f[FieldReaction] = Reaction_O1->bytes();
    f[FieldReaction2] = optionalText(Reaction_O2);

    const auto attackRow = [&f](int first, ComboBox* method, SpinEdit* hit, EditBox* damage,
                                bool optional) {
        if (optional && method->selectedIndex() == 0)
            return;
        f[first] = method->bytes();
        f[first + 1] = hit->bytes();
        f[first + 2] = damage->bytes();
    };
    attackRow(FieldAttack1Method, Attack_O11, Attack_O12, Attack_O14, false);
    attackRow(FieldAttack2Method, Attack_O21, Attack_O22, Attack_O24, true);
    attackRow(FieldAttack3Method, Attack_O31, Attack_O32, Attack_O34, true);

    f[FieldDodge] = Defence_O2->bytes();
    f[FieldPrevent] = Defence_O4->bytes();
    f[FieldHP] = HP_O1->bytes();
    f[FieldHPResist] = HP_O2->bytes();
    f[FieldSP] = SP_O1->bytes();
    f[FieldSPResist] = SP_O2->bytes();

    const auto magicRow = [&f](int first, ComboBox* magic, SpinEdit* level, SpinEdit* power) {
        if (magic->selectedIndex() == 0)
            return;
        f[first] = magic->bytes();
        f[first + 1] = level->bytes();
        f[first + 2] = power->bytes();
    };
    magicRow(FieldMagic1Kind, Magic_O11, Magic_O12, Magic_O13);
    magicRow(FieldMagic2Kind, Magic_O21, Magic_O22, Magic_O23);
    magicRow(FieldMagic3Kind, Magic_O31, Magic_O32, Magic_O33);

    f[FieldAbility] = joinCommaText(Ability_O->lines());
    f[FieldHabitat] = Habitat_O->bytes();
    f[FieldLanguage] = Language_O->bytes();
    f[FieldSense] = Sense_O->bytes();

    // The measuring labels hold the captions as read; the check box's own bytes are used
    // while they show the same text, so a caption with a two-code character keeps its bytes.
    std::vector<std::string> checked;
    const std::size_t senses = std::min(SubSenseChecks.size(), SubSenseLabels.size());
    for (std::size_t i = 0; i < senses; ++i) {
        if (!SubSenseChecks[i]->isChecked())
            continue;
        const QString caption = SubSenseLabels[i]->text();
        const std::string& bytes = SubSenseChecks[i]->captionBytes();
        checked.push_back(fromCp932(bytes) == caption ? bytes
                                                      : toCp932(caption).value_or(std::string()));
    }
    f[FieldSubSenses] = checked.empty() ? std::string() : joinCommaText(checked);

    f[FieldStrength] = Str_O->bytes();
    f[FieldSize] = Size_O->bytes();
    f[FieldHardness] = Hardness_O->bytes();

    EnemyRecord record{Name_O->bytes(), FieldList(std::span<const std::string>(f))};
    RecordStore& store = mainWindow_.store();
    const int slot = mainWindow_.selectedSlot();
    if (slot >= 1 && slot < store.slotCount())
        store.overwrite(slot, std::move(record));
    else
        store.append(std::move(record)); // the new-entry row

    mainWindow_.ListView1Renew();
    closeEditor();
}

void TEditor1::B_ResistClick(QObject* sender)
{
    const QString question = mainWindow_.selectedRow() == 0
                                 ? tr("データを追加します。\r\n\r\nよろしいですか？")
                                 : tr("データを上書きします。\r\n\r\nよろしいですか？");
    switch (
        Dialogs::current().ask(this, question, MessageIcon::Warning, MessageButtons::YesNoCancel)) {
    case Answer::Yes:
        SendData(sender);
        break;
    case Answer::No:
        closeEditor();
        break;
    default:
        break; // the editor stays open as it was
    }
}

void TEditor1::B_CancelClick(QObject*)
{
    if (Dialogs::current().ask(this, tr("編集したデータを保存しません。\r\n\r\nよろしいですか？"),
                               MessageIcon::Warning, MessageButtons::OkCancel) == Answer::Ok)
        closeEditor();
}

void TEditor1::B_ReloadClick(QObject* sender)
{
    if (Dialogs::current().ask(this, tr("データを編集前のものに戻します。\r\n\r\nよろしいですか？"),
                               MessageIcon::Warning, MessageButtons::OkCancel) != Answer::Ok)
        return;
    if (mainWindow_.selectedRow() == 0)
        DataInitialized(sender);
    else
        DataGot(sender);
}

void TEditor1::B_ResetClick(QObject* sender)
{
    // Only the controls go back; the store keeps the record until it is registered.
    if (Dialogs::current().ask(this,
                               tr("データを新規作成のものと同じにします。\r\n\r\nよろしいですか？"),
                               MessageIcon::Warning, MessageButtons::OkCancel) == Answer::Ok)
        DataInitialized(sender);
}

void TEditor1::closeEditor()
{
    closeSecondary(this, mainWindow_.hostWindow());
}

void TEditor1::ConfirmComboBox(ComboBox* box, QObject* sender)
{
    if (!box->isEnabled() || !box->text().isEmpty())
        return;
    // A box without entries (no choice file read) has nothing to put back.
    if (box->entryCount() == 0)
        return;
    box->selectIndex(0);

    using Handler = void (TEditor1::*)(QObject*);
    const std::pair<ComboBox*, Handler> handlers[] = {
        {Int_O, &TEditor1::Int_OChange},
        {Movement_O21, &TEditor1::Movement_O21Change},
        {Size_O, &TEditor1::Dodge},
        {Hardness_O, &TEditor1::Prevent},
        {Attack_O11, &TEditor1::Attack_O11Change},
        {Attack_O21, &TEditor1::Attack_O21Change},
        {Attack_O31, &TEditor1::Attack_O31Change},
        {Magic_O11, &TEditor1::Magic_O11Change},
        {Magic_O21, &TEditor1::Magic_O21Change},
        {Magic_O31, &TEditor1::Magic_O31Change},
    };
    for (const auto& [control, handler] : handlers) {
        if (control == box) {
            (this->*handler)(sender);
            return;
        }
    }
}

void TEditor1::ConfirmSpinEdit(SpinEdit* spin, int number)
{
    // A row switched off while its input had the focus moves the focus on; that is no
    // leaving by the user, and the emptied input of the off row must stay empty.
    if (spin->isEnabled() && spin->text().isEmpty())
        spin->setValue(number);
}

} // namespace grimtally::ui
