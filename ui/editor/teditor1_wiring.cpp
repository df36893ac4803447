// Connects the editor's controls to their change and exit handlers and its command buttons
// to their click handlers; each handler gets the control that caused it as the sender.
#include "ui/editor/teditor1.h"
#include "ui/toolkit/combobox.h"
#include "ui/toolkit/editbox.h"
#include "ui/toolkit/spinedit.h"

#include <QPushButton>
#include <QShortcut>

namespace grimtally::ui {

namespace {

using Handler = void (TEditor1::*)(QObject*);

template <class Control> void onChange(TEditor1* editor, Control* control, Handler handler)
{
    QObject::connect(control, &Control::changed, editor,
                     [editor, control, handler] { (editor->*handler)(control); });
}

template <class Control> void onExit(TEditor1* editor, Control* control, Handler handler)
{
    QObject::connect(control, &Control::exited, editor,
                     [editor, control, handler] { (editor->*handler)(control); });
}

void onClick(TEditor1* editor, QPushButton* button, Handler handler)
{
    QObject::connect(button, &QPushButton::clicked, editor,
                     [editor, button, handler] { (editor->*handler)(button); });
}

} // namespace

void TEditor1::connectHandlers()
{
    // Change handlers: the derived values hang on these.
    onChange(this, Level_O, &TEditor1::Level_OChange);
    onChange(this, Str_O, &TEditor1::Str_OChange);
    onChange(this, Int_O, &TEditor1::Int_OChange);
    onChange(this, Dex_O, &TEditor1::Dodge);
    onChange(this, Size_O, &TEditor1::Dodge);
    onChange(this, Hardness_O, &TEditor1::Prevent);
    onChange(this, HP_O1, &TEditor1::HPResist);
    onChange(this, SP_O1, &TEditor1::SPResist);
    onChange(this, Movement_O21, &TEditor1::Movement_O21Change);
    onChange(this, Attack_O11, &TEditor1::Attack_O11Change);
    onChange(this, Attack_O21, &TEditor1::Attack_O21Change);
    onChange(this, Attack_O31, &TEditor1::Attack_O31Change);
    onChange(this, Attack_O12, &TEditor1::Attack_O12Change);
    onChange(this, Attack_O22, &TEditor1::Attack_O22Change);
    onChange(this, Attack_O32, &TEditor1::Attack_O32Change);
    onChange(this, Defence_O2, &TEditor1::Defence_O2Change);
    onChange(this, HP_O2, &TEditor1::HP_O2Change);
    onChange(this, SP_O2, &TEditor1::SP_O2Change);
    onChange(this, Magic_O11, &TEditor1::Magic_O11Change);
    onChange(this, Magic_O21, &TEditor1::Magic_O21Change);
    onChange(this, Magic_O31, &TEditor1::Magic_O31Change);
    onChange(this, Magic_O12, &TEditor1::Magic_O12Change);
    onChange(this, Magic_O22, &TEditor1::Magic_O22Change);
    onChange(this, Magic_O32, &TEditor1::Magic_O32Change);
    onChange(this, Magic_O13, &TEditor1::Magic_O13Change);
    onChange(this, Magic_O23, &TEditor1::Magic_O23Change);
    onChange(this, Magic_O33, &TEditor1::Magic_O33Change);

    // Exit handlers: an emptied combo box or spin edit gets a usable value back.
    onExit(this, Classify_O, &TEditor1::Classify_OExit);
    onExit(this, Celebrity_O2, &TEditor1::Celebrity_O2Exit);
    onExit(this, Count_O1, &TEditor1::Count_O1Exit);
    onExit(this, Count_O2, &TEditor1::Count_O2Exit);
    onExit(this, Frequency_O, &TEditor1::Frequency_OExit);
    onExit(this, Reaction_O1, &TEditor1::Reaction_O1Exit);
    onExit(this, Reaction_O2, &TEditor1::Reaction_O2Exit);
    onExit(this, Int_O, &TEditor1::Int_OExit);
    onExit(this, Sense_O, &TEditor1::Sense_OExit);
    onExit(this, Movement_O11, &TEditor1::Movement_O11Exit);
    onExit(this, Movement_O21, &TEditor1::Movement_O21Exit);
    onExit(this, Size_O, &TEditor1::Size_OExit);
    onExit(this, Hardness_O, &TEditor1::Hardness_OExit);
    onExit(this, Attack_O11, &TEditor1::Attack_O11Exit);
    onExit(this, Attack_O21, &TEditor1::Attack_O21Exit);
    onExit(this, Attack_O31, &TEditor1::Attack_O31Exit);
    onExit(this, Magic_O11, &TEditor1::Magic_O11Exit);
    onExit(this, Magic_O21, &TEditor1::Magic_O21Exit);
    onExit(this, Magic_O31, &TEditor1::Magic_O31Exit);
    onExit(this, Level_O, &TEditor1::Level_OExit);
    onExit(this, Celebrity_O1, &TEditor1::Celebrity_O1Exit);
    onExit(this, Dex_O, &TEditor1::Dex_OExit);
    onExit(this, Movement_O12, &TEditor1::Movement_O12Exit);
    onExit(this, Movement_O22, &TEditor1::Movement_O22Exit);
    onExit(this, Str_O, &TEditor1::Str_OExit);
    onExit(this, Defence_O2, &TEditor1::Defence_O2Exit);
    onExit(this, HP_O1, &TEditor1::HP_O1Exit);
    onExit(this, SP_O1, &TEditor1::SP_O1Exit);
    onExit(this, Magic_O12, &TEditor1::Magic_O12Exit);
    onExit(this, Magic_O22, &TEditor1::Magic_O22Exit);
    onExit(this, Magic_O32, &TEditor1::Magic_O32Exit);
    onExit(this, Attack_O12, &TEditor1::Attack_O12Exit);
    onExit(this, Attack_O22, &TEditor1::Attack_O22Exit);
    onExit(this, Attack_O32, &TEditor1::Attack_O32Exit);
    onExit(this, HP_O2, &TEditor1::HP_O2Exit);
    onExit(this, SP_O2, &TEditor1::SP_O2Exit);
    onExit(this, Magic_O13, &TEditor1::Magic_O13Exit);
    onExit(this, Magic_O23, &TEditor1::Magic_O23Exit);
    onExit(this, Magic_O33, &TEditor1::Magic_O33Exit);

    onClick(this, B_Resist, &TEditor1::B_ResistClick);
    onClick(this, B_Cancel, &TEditor1::B_CancelClick);
    onClick(this, B_Reload, &TEditor1::B_ReloadClick);
    onClick(this, B_Reset, &TEditor1::B_ResetClick);
    onClick(this, B_LoadChoices, &TEditor1::B_LoadChoicesClick);
    onClick(this, Ability_B, &TEditor1::Ability_BClick);
    onClick(this, B_Generate, &TEditor1::B_GenerateClick);
    onClick(this, Button1, &TEditor1::Button1Click);

    // Escape is Cancel's key, question and all.
    auto* cancelKey = new QShortcut(QKeySequence(QKeySequence::Cancel), this);
    cancelKey->setObjectName(QStringLiteral("B_CancelKey"));
    QObject::connect(cancelKey, &QShortcut::activated, B_Cancel, &QPushButton::click);
}

// The dialogs themselves disable this window while they are up and give it back.
void TEditor1::Ability_BClick(QObject*)
{
    if (openers_.picker)
        openers_.picker();
}

void TEditor1::B_GenerateClick(QObject*)
{
    if (openers_.generate)
        openers_.generate();
}

void TEditor1::Button1Click(QObject*)
{
    if (openers_.strength)
        openers_.strength();
}

} // namespace grimtally::ui
