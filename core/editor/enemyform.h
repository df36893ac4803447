// The enemy form: the editor's inputs as texts, the choice lists they offer, and every rule of
// the editor's cascade (the new-record state, loading a stored enemy, re-deriving hit,
// damage, dodge, prevent, resists and magic power as inputs change, the confirmation of
// emptied entries, a generation plan, the record that registering stores). The editor window,
// the generation dialog and the command line all drive this one copy.
#pragma once

#include "core/generate/enemyplan.h"
#include "core/records/fieldtable.h"
#include "core/rules/choicetables.h"
#include "core/rules/combat.h"

#include <array>
#include <bitset>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace grimtally {

// What an operation of the form changed, for a window to put back into its controls.
struct FormChanges {
    // The text or selection of the name (bit 0) and of field f (bit f + 1); for the list
    // fields their lines or ticks.
    std::bitset<kFieldCount + 1> texts;
    std::bitset<kFieldCount> diceBases; // the dice base shown beside field f
    std::bitset<kFieldCount> enabling;  // whether field f is switched on
    // Flaws of the choice file that a derivation met, in the order it met them; the values
    // they would have given stay as they were.
    std::vector<RuleError> errors;

    bool text(int field) const { return texts[static_cast<std::size_t>(field + 1)]; }
    static FormChanges everything();
};

class EnemyForm {
public:
    // `noneWord` stands for an empty field at the top of the optional choices.
    explicit EnemyForm(std::string noneWord = "----");

    // --- choice lists ---

    void setNoneWord(std::string noneWord) { noneWord_ = std::move(noneWord); }
    const std::string& noneWord() const { return noneWord_; }
    // Replaces every list and the rule tables; the sub senses are unticked. A choice keeps its
    // text and stands on the entry that shows it, if any.
    void setChoices(ChoiceTables tables);
    // Puts the none word at the top of the optional choices whose list lacks it. The choices
    // of one list (attacks 2 and 3, the three magics) go by the first of them, so they always
    // hold the same entries; a list whose first row is the none word serves as it is.
    void putNoneWords();
    // From the first choice file read on.
    const std::optional<ChoiceTables>& tables() const;
    const std::vector<std::string>& entries(int field) const;
    // The number an entry carries (intelligence, size, hardness), if any.
    std::optional<int> entryNumber(int field, int index) const;
    const std::vector<std::string>& abilityList() const;
    const std::vector<std::string>& subSenseCaptions() const;
    // The entry counts generation draws from.
    ListSizes listSizes() const;

    // --- the inputs ---

    // The text of the name or of a field as its input shows it (for a choice, the entry's or
    // the typed text); not for the list fields.
    const std::string& text(int field) const { return texts_[static_cast<std::size_t>(field + 1)]; }
    // A choice's entry; -1 for a typed text that shows no entry, or nothing.
    int selected(int field) const { return selected_[static_cast<std::size_t>(field)]; }
    bool enabled(int field) const { return !disabled_[static_cast<std::size_t>(field)]; }
    const std::string& diceBaseOf(int field) const
    {
        return bases_[static_cast<std::size_t>(field)];
    }
    const std::vector<std::string>& abilities() const { return abilities_; }
    bool subSenseTicked(std::size_t index) const { return ticks_.at(index) != 0; }

    // --- what the editor does ---

    // Every choice on its first entry (the none word for the optional ones), the texts of a
    // new enemy, and what the rules derive from them.
    FormChanges newRecord();
    // A stored enemy; a field its list lacks loads as empty. Each stored value is set after
    // the inputs it would be derived from, so the stored values are the ones left standing.
    FormChanges load(std::string_view name, FieldsView fields);
    // The user's text in the name, a text field or a number, and what depends on it.
    FormChanges put(int field, std::string_view text);
    // A number put in as a value: brought into the field's range first.
    FormChanges putValue(int field, int value);
    // The user picked entry `index` of a choice, or typed `text` (index: the entry it shows,
    // or -1); the choice's rule runs either way.
    FormChanges choose(int field, std::string_view text, int index);
    FormChanges putAbilities(std::vector<std::string> lines);
    FormChanges tickSubSense(std::size_t index, bool ticked);
    // The user left an input: an emptied choice or number gets a usable value back, an
    // emptied hit, resist or magic power is derived again.
    FormChanges leave(int field);
    // One roll of the generation dialog, applied as the dialog sets the editor's inputs.
    FormChanges applyPlan(const EnemyPlan& plan);

    // What registering stores: the name and the 47 fields, with an optional row at its none
    // word stored empty.
    EnemyRecord record() const;

private:
    struct Lists;
    class Operation;

    // Changes of the inputs; a change of a number's or a text's text runs its rule.
    void setText(int field, std::string_view text);
    void setValue(int field, int value);
    void select(int field, int index);
    void selectFirst(int field);
    void lookUp(int field, std::string_view text);
    void setDiceBase(int field, std::string text);
    void enable(int field, bool on);
    void keepSelection(int field, std::optional<int> shift);
    Lists& editableLists();

    // The rules (formrules.cpp). `changed` runs what follows a change of the field's input.
    void changed(int field);
    void levelChanged();
    void deriveByLevel(); // everything the level enters: attacks, dodge, prevent, resists
    void strengthChanged();
    void intelligenceChanged();
    void attackChanged(int row);
    void magicChanged(int row);
    void attack(int row);
    void dodge();
    void prevent();
    void resist(int points, int resist);
    void diceBaseChanged(int field);
    void magicLevelChanged(int row);
    void subMovementEnabled();
    void attackEnabled(int row);
    void magicEnabled(int row);
    void left(int field); // what leaving the field's input runs
    void confirmChoice(int field);
    void confirmNumber(int field);
    void confirmHit(int row);
    void confirmPower(int row);
    int numberOf(int field) const;
    int selectedNumber(int field, int fallback) const;

    std::string noneWord_;
    std::shared_ptr<const Lists> lists_;
    std::array<std::string, kFieldCount + 1> texts_;
    std::array<int, kFieldCount> selected_{};
    std::bitset<kFieldCount> disabled_;
    std::array<std::string, kFieldCount> bases_;
    std::vector<std::string> abilities_;
    std::vector<char> ticks_;
    FormChanges* changes_ = nullptr; // of the operation running
};

} // namespace grimtally
