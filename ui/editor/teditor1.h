// The enemy editor: one record control by control. The enemy form of the core holds the
// inputs and every rule; this window binds each field to its control (by the field table),
// forwards the user's changes and exits to the form and puts back what the form changed.
// Creation and layout live in teditor1.cpp, the binding and the command buttons in
// teditor1_binding.cpp, the choice file in teditor1_choices.cpp.
#pragma once

#include "core/editor/enemyform.h"

#include <QWidget>

#include <array>
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

    // --- what other windows read ---
    const std::vector<std::string>& editorWords() const { return editorWords_; }
    const std::string& noneWord() const { return editorWords_.at(0); }
    const std::vector<std::string>& abilityList() const { return form_.abilityList(); }
    // The rule tables exist from the first load that read a file on.
    const std::optional<ChoiceTables>& ruleTables() const { return form_.tables(); }
    const EnemyForm& form() const { return form_; }
    std::vector<CheckBox*> SubSenseChecks; // one per sub sense, in file order
    std::vector<Label*> SubSenseLabels;    // invisible measuring labels, parallel

    // --- creation, captions, choice file ---
    void FormCreate();
    void B_LoadChoicesClick();

    // --- the dialogs this window opens; the window set hands in how, once they exist ---
    struct DialogOpeners {
        std::function<void()> picker;   // the ability picker
        std::function<void()> generate; // random generation
        std::function<void()> strength; // the strength estimate
    };
    void setDialogOpeners(DialogOpeners openers) { openers_ = std::move(openers); }
    void Ability_BClick();
    void B_GenerateClick();
    void Button1Click();
    // A number of the form as a rule reads it, and one put in as a value (in range), for the
    // strength estimate.
    int numberOf(int field) const { return spinValue(form_.text(field)); }
    void putValue(int field, int value);
    // What generation draws from, and a roll put into the form.
    ListSizes listSizes() const { return form_.listSizes(); }
    void takePlan(const EnemyPlan& plan);

    // --- record binding ---
    void DataInitialized();
    void DataGot();
    void SendData();
    void B_ResistClick();
    void B_CancelClick();
    void B_ReloadClick();
    void B_ResetClick();
    void closeEditor();         // hide, enable and focus the main window
    void confirmFocusedEntry(); // runs what leaving the focused input would

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
    void connectButtons();

    // The binding: each field's input and dice base box, found by the field table's names.
    void bindFields();
    void onEdited(int field);
    void onChosen(int field);
    void onLeft(int field);
    void onAbilitiesEdited();
    void onTicked(std::size_t index, bool ticked);
    // Puts what the form changed into the controls and shows the rule errors it met.
    void putBack(const FormChanges& changes);
    void showInput(int field);
    void showWholeForm();
    void showChoices(); // the form's lists in the combo boxes
    void buildSubSenses(const std::vector<std::string>& captions);

    EditorHost& mainWindow_;
    std::vector<std::string> editorWords_;
    EnemyForm form_;
    std::array<QWidget*, kFieldCount + 1> inputs_{}; // by field + 1; none for the sub senses
    std::array<ReadOnlyBox*, kFieldCount> diceBases_{};
    DialogOpeners openers_;
};

} // namespace grimtally::ui
