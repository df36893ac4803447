// The choice file ("Choices.txt"): the editor's choice lists and the hit, damage, critical
// and attack tables behind the derived combat values.
#pragma once

#include "core/text/inifile.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace grimtally {

// An entry that carries a number beside its text (intelligence modifier, size term,
// hardness term).
struct NumberedEntry {
    std::string text;
    int number = 0;
    friend bool operator==(const NumberedEntry&, const NumberedEntry&) = default;
};

// Rows of a key/value rule table in file order, duplicates kept.
struct RuleTable {
    std::vector<std::string> keys;
    std::vector<std::string> values;

    // The value of the first row whose key equals `key` with ASCII letters folded.
    std::optional<std::string> lookup(std::string_view key) const;
};

struct AttackRow {
    std::string name;
    std::string hitKey;
    std::string damageKey;
    std::string criticalKey;
    friend bool operator==(const AttackRow&, const AttackRow&) = default;
};

// Everything one choice file holds. A section that is missing gives empty lists.
struct ChoiceTables {
    std::vector<std::string> classify;
    std::vector<std::string> celebrity;
    std::vector<std::string> count;
    std::vector<std::string> frequency;
    std::vector<std::string> reaction;
    std::vector<NumberedEntry> intelligence; // number: the modifier
    std::vector<std::string> sense;
    std::vector<std::string> subSenses;
    std::vector<std::string> movement;
    std::vector<NumberedEntry> size;     // number: the file's number plus 6 (the dodge term)
    std::vector<NumberedEntry> hardness; // number: the prevent term
    RuleTable hit;
    RuleTable damage;
    RuleTable critical;
    std::vector<AttackRow> attacks;
    std::vector<std::string> magic;
    std::vector<std::string> abilities;

    std::vector<std::string> attackNames() const;
};

// A split row the file cannot be read with; says where it is so the user can mend it.
// what() is UTF-8: the row's Shift-JIS text is decoded for the message. The parts let a
// window say the same in another language.
class ChoiceFileError : public std::runtime_error {
public:
    enum class Problem { NeedsTextAndNumber, NeedsKeyAndValue, NeedsFourItems, NotWhole, TooLarge };
    ChoiceFileError(const std::string& fileName, const std::string& section, int row,
                    const std::string& rowText, Problem problem);
    const std::string& fileName() const { return fileName_; }
    const std::string& section() const { return section_; }
    int row() const { return row_; }                          // 1-based among the section's rows
    const std::string& shownRow() const { return shownRow_; } // UTF-8, long rows shortened
    Problem problem() const { return problem_; }
    const char* problemText() const; // the problem in English, as what() ends

private:
    std::string fileName_;
    std::string section_;
    int row_;
    std::string shownRow_;
    Problem problem_;
};

// Reads the whole file's worth of tables; throws ChoiceFileError at the first bad split row
// (too few items, or a number item of "intelligence", "size" or "hardness" that is not an
// integer), so a bad file changes nothing for the caller. With `problems` given, every bad
// row is recorded there instead and left out of its table.
ChoiceTables readChoiceTables(const IniFile& ini, const std::string& fileName,
                              std::vector<ChoiceFileError>* problems = nullptr);

} // namespace grimtally
