// What the generation dialog drives in the editor: the inputs it sets, the lists it draws
// from, and the editor's handlers it runs after selecting entries. The program's window set
// fills this in, so the dialog never needs the editor's class.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace grimtally::ui {

class CheckBox;
class ComboBox;
class Memo;
class SpinEdit;

struct GenerationTarget {
    QWidget* window = nullptr; // disabled while the dialog is up

    SpinEdit *Dex_O = nullptr, *Str_O = nullptr, *HP_O1 = nullptr, *SP_O1 = nullptr;
    SpinEdit *Level_O = nullptr, *Celebrity_O1 = nullptr;
    SpinEdit *Movement_O12 = nullptr, *Movement_O22 = nullptr;
    ComboBox *Size_O = nullptr, *Hardness_O = nullptr, *Celebrity_O2 = nullptr;
    ComboBox *Classify_O = nullptr, *Frequency_O = nullptr, *Int_O = nullptr, *Sense_O = nullptr;
    ComboBox *Count_O1 = nullptr, *Count_O2 = nullptr, *Reaction_O1 = nullptr,
             *Reaction_O2 = nullptr;
    ComboBox *Movement_O11 = nullptr, *Movement_O21 = nullptr;
    std::array<ComboBox*, 3> attacks{};     // Attack_O11, Attack_O21, Attack_O31
    std::array<ComboBox*, 3> magics{};      // Magic_O11, Magic_O21, Magic_O31
    std::array<SpinEdit*, 3> magicLevels{}; // Magic_O12, Magic_O22, Magic_O32
    Memo* Ability_O = nullptr;

    // The editor's global lists; both change when the choices are loaded again.
    const std::vector<std::string>* abilityList = nullptr;
    const std::vector<CheckBox*>* subSenseChecks = nullptr;

    std::function<void()> Dodge, Prevent, Movement_O21Change;
    std::array<std::function<void()>, 3> attackChanged; // Attack_O11Change ... O31Change
    std::array<std::function<void()>, 3> magicChanged;  // Magic_O11Change ... O31Change
};

} // namespace grimtally::ui
