// The enemy editor: one record control by control, with the derived combat values following
// its inputs. Creation and layout live in teditor1.cpp, the choice file in
// teditor1_choices.cpp, record binding and entry confirmation in teditor1_binding.cpp, the
// rule handlers in teditor1_rules.cpp and their connections in teditor1_wiring.cpp.
#pragma once

#include "core/rules/choicetables.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QFrame;
class QPushButton;

namespace grimtally::ui {

class CheckBox;
class ComboBox;
class EditBox;
class FileDialog;
class Label;
class Memo;
class ReadOnlyBox;
class SpinEdit;
class EditorHost;

class TEditor1 : public QWidget {
    Q_OBJECT
public:
    explicit TEditor1(EditorHost& mainWindow); // runs FormCreate

    // --- global lists that other windows read ---
    const std::vector<std::string>& editorWords() const { return editorWords_; }
    const std::string& noneWord() const { return editorWords_.at(0); }
    const std::vector<std::string>& abilityList() const { return abilityList_; }
    // The rule tables exist from the first load that read a file on.
    const std::optional<ChoiceTables>& ruleTables() const { return tables_; }
    std::vector<CheckBox*> SubSenseChecks; // one per sub sense, in file order
    std::vector<Label*> SubSenseLabels;    // invisible measuring labels, parallel

    // --- creation, captions, choice file ---
    void FormCreate();
    void B_LoadChoicesClick(QObject* sender = nullptr);

    // --- the dialogs this window opens; the window set hands in how, once they exist ---
    struct DialogOpeners {
        std::function<void()> picker;   // the ability picker
        std::function<void()> generate; // random generation
        std::function<void()> strength; // the strength estimate
    };
    void setDialogOpeners(DialogOpeners openers) { openers_ = std::move(openers); }
    void Ability_BClick(QObject* sender = nullptr);
    void B_GenerateClick(QObject* sender = nullptr);
    void Button1Click(QObject* sender = nullptr);

    // --- record binding ---
    void DataInitialized(QObject* sender = nullptr);
    void DataGot(QObject* sender = nullptr);
    void SetDataName(ComboBox* box, int slot, int field);
    void SendData(QObject* sender = nullptr);
    void B_ResistClick(QObject* sender = nullptr);
    void B_CancelClick(QObject* sender = nullptr);
    void B_ReloadClick(QObject* sender = nullptr);
    void B_ResetClick(QObject* sender = nullptr);
    void closeEditor();         // hide, enable and focus the main window
    void confirmFocusedEntry(); // runs what leaving the focused input would

    // --- entry confirmation ---
    void ConfirmComboBox(ComboBox* box, QObject* sender);
    void ConfirmSpinEdit(SpinEdit* spin, int number);
    // Leaving an emptied combo box or spin edit puts a usable value back.
    void Classify_OExit(QObject* sender = nullptr);
    void Celebrity_O2Exit(QObject* sender = nullptr);
    void Count_O1Exit(QObject* sender = nullptr);
    void Count_O2Exit(QObject* sender = nullptr);
    void Frequency_OExit(QObject* sender = nullptr);
    void Reaction_O1Exit(QObject* sender = nullptr);
    void Reaction_O2Exit(QObject* sender = nullptr);
    void Int_OExit(QObject* sender = nullptr);
    void Sense_OExit(QObject* sender = nullptr);
    void Movement_O11Exit(QObject* sender = nullptr);
    void Movement_O21Exit(QObject* sender = nullptr);
    void Size_OExit(QObject* sender = nullptr);
    void Hardness_OExit(QObject* sender = nullptr);
    void Attack_O11Exit(QObject* sender = nullptr);
    void Attack_O21Exit(QObject* sender = nullptr);
    void Attack_O31Exit(QObject* sender = nullptr);
    void Magic_O11Exit(QObject* sender = nullptr);
    void Magic_O21Exit(QObject* sender = nullptr);
    void Magic_O31Exit(QObject* sender = nullptr);
    void Level_OExit(QObject* sender = nullptr);
    void Celebrity_O1Exit(QObject* sender = nullptr);
    void Dex_OExit(QObject* sender = nullptr);
    void Movement_O12Exit(QObject* sender = nullptr);
    void Movement_O22Exit(QObject* sender = nullptr);
    void Str_OExit(QObject* sender = nullptr);
    void Defence_O2Exit(QObject* sender = nullptr);
    void HP_O1Exit(QObject* sender = nullptr);
    void SP_O1Exit(QObject* sender = nullptr);
    void Magic_O12Exit(QObject* sender = nullptr);
    void Magic_O22Exit(QObject* sender = nullptr);
    void Magic_O32Exit(QObject* sender = nullptr);
    // Leaving an emptied hit, resist or magic power derives it again.
    void Attack_O12Exit(QObject* sender = nullptr);
    void Attack_O22Exit(QObject* sender = nullptr);
    void Attack_O32Exit(QObject* sender = nullptr);
    void HP_O2Exit(QObject* sender = nullptr);
    void SP_O2Exit(QObject* sender = nullptr);
    void Magic_O13Exit(QObject* sender = nullptr);
    void Magic_O23Exit(QObject* sender = nullptr);
    void Magic_O33Exit(QObject* sender = nullptr);

    // --- derived values: change and leave handlers ---
    void Level_OChange(QObject* sender = nullptr);
    void Str_OChange(QObject* sender = nullptr);
    void Int_OChange(QObject* sender = nullptr);
    void Movement_O21Change(QObject* sender = nullptr);
    void Attack_O11Change(QObject* sender = nullptr);
    void Attack_O21Change(QObject* sender = nullptr);
    void Attack_O31Change(QObject* sender = nullptr);
    void Attack_O12Change(QObject* sender = nullptr);
    void Attack_O22Change(QObject* sender = nullptr);
    void Attack_O32Change(QObject* sender = nullptr);
    void Defence_O2Change(QObject* sender = nullptr);
    void HP_O2Change(QObject* sender = nullptr);
    void SP_O2Change(QObject* sender = nullptr);
    void Magic_O11Change(QObject* sender = nullptr);
    void Magic_O21Change(QObject* sender = nullptr);
    void Magic_O31Change(QObject* sender = nullptr);
    void Magic_O12Change(QObject* sender = nullptr);
    void Magic_O22Change(QObject* sender = nullptr);
    void Magic_O32Change(QObject* sender = nullptr);
    void Magic_O13Change(QObject* sender = nullptr);
    void Magic_O23Change(QObject* sender = nullptr);
    void Magic_O33Change(QObject* sender = nullptr);
    void Dodge(QObject* sender = nullptr);
    void Prevent(QObject* sender = nullptr);
    void HPResist(QObject* sender = nullptr);
    void SPResist(QObject* sender = nullptr);
    void Attack(int offset, ComboBox* method, SpinEdit* hit, EditBox* damage);
    void BaseChange(SpinEdit* value, ReadOnlyBox* base);
    void MagicLvChange(SpinEdit* level, SpinEdit* power);
    void MagicPwChange(SpinEdit* power, ReadOnlyBox* base);
    void Movement_O21Enabled();
    void AttackEnabled(ComboBox* method, SpinEdit* hit, ReadOnlyBox* base, EditBox* damage);
    void MagicEnabled(ComboBox* magic, SpinEdit* level, SpinEdit* power, ReadOnlyBox* base);
    void ComfirmHit(ComboBox* method, SpinEdit* hit, QObject* sender);
    void ConfirmPower(SpinEdit* power, ReadOnlyBox* base);

    // --- controls, named as on the form ---
    Label *Name_L, *Classify_L, *Level_L, *Celebrity_L1, *Celebrity_L2, *Count_L, *Frequency_L,
        *Habitat_L, *Reaction_L, *Int_L, *Language_L, *Sense_L, *Movement_L01, *Movement_L02,
        *Ability_L, *Dex_L, *Movement_L1, *Movement_L2, *Str_L, *Size_L, *Hardness_L, *Attack_L01,
        *Attack_L02, *Attack_L03, *Attack_L1, *Attack_L2, *Attack_L3, *Defence_L, *HP_L, *SP_L,
        *Magic_L1, *Magic_L2, *Magic_L3;
    EditBox *Name_O, *Habitat_O, *Language_O, *Attack_O14, *Attack_O24, *Attack_O34, *Defence_O4;
    ComboBox *Classify_O, *Celebrity_O2, *Count_O1, *Count_O2, *Frequency_O, *Reaction_O1,
        *Reaction_O2, *Int_O, *Sense_O, *Movement_O11, *Movement_O21, *Size_O, *Hardness_O,
        *Attack_O11, *Attack_O21, *Attack_O31, *Magic_O11, *Magic_O21, *Magic_O31;
    SpinEdit *Level_O, *Celebrity_O1, *Dex_O, *Movement_O12, *Movement_O22, *Str_O, *Attack_O12,
        *Attack_O22, *Attack_O32, *Defence_O2, *HP_O1, *HP_O2, *SP_O1, *SP_O2, *Magic_O12,
        *Magic_O13, *Magic_O22, *Magic_O23, *Magic_O32, *Magic_O33;
    ReadOnlyBox *Attack_O13, *Attack_O23, *Attack_O33, *Defence_O3, *HP_O3, *SP_O3, *Magic_O14,
        *Magic_O24, *Magic_O34;
    Memo* Ability_O;
    QPushButton *Ability_B, *Button1, *B_Resist, *B_Cancel, *B_Reload, *B_Reset, *B_Generate,
        *B_LoadChoices;
    QFrame* Frame;
    FileDialog* OpenDialog1;
    std::vector<Label*> HyphenLabels; // 5, vocabulary entry 1
    std::vector<Label*> SlashLabels;  // 11, vocabulary entry 0
    std::vector<Label*> DiceLabels;   // 9, "(2D6+               )"

Q_SIGNALS:
    // A choice file was read and its lists and tables are in place.
    void choicesLoaded();

protected:
    void closeEvent(QCloseEvent* event) override; // FormClose
    void showEvent(QShowEvent* event) override;   // centred on the screen

private:
    void createControls();
    void setCaptions();           // from the vocabulary
    void setEditorWordCaptions(); // from the editor words
    void createRunTimeLabels();   // hyphen and slash labels
    void createDiceLabels();
    void setTabOrders();
    QWidget* dialogParent(); // the editor when shown, else the main window
    void connectHandlers();
    void buildSubSenses(const std::vector<std::string>& captions);
    void applyChoiceTables(ChoiceTables tables);
    void putNoneWords();

    EditorHost& mainWindow_;
    std::vector<std::string> editorWords_;
    std::vector<std::string> abilityList_;
    std::optional<ChoiceTables> tables_;
    DialogOpeners openers_;
};

} // namespace grimtally::ui
