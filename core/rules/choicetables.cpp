#include "core/rules/choicetables.h"

#include "core/rules/combat.h"
#include "core/text/commatext.h"
#include "core/text/sjis.h"

#include <algorithm>
#include <limits>

namespace grimtally {

namespace {

// Long enough to recognise the row, short enough for one line of an error box.
constexpr std::size_t kShownRowBytes = 60;

// Cuts a row for a message without splitting a double-byte character.
std::string shortened(const std::string& row)
{
    if (row.size() <= kShownRowBytes)
        return row;
    return std::string(cp932Prefix(row, kShownRowBytes)) + "...";
}

const char* problemText(ChoiceFileError::Problem problem)
{
    using enum ChoiceFileError::Problem;
    switch (problem) {
    case NeedsTextAndNumber:
        return "the row needs a text and a whole number, separated by a comma.";
    case NeedsKeyAndValue:
        return "the row needs a key and a value, separated by a comma.";
    case NeedsFourItems:
        return "the row needs four items: name, hit key, damage key and critical key.";
    case NotWhole:
        return "the second item must be a whole number.";
    case TooLarge:
        return "the number is too large.";
    }
    return "";
}

std::string describe(const std::string& fileName, const std::string& section, int row,
                     const std::string& shownRow, ChoiceFileError::Problem problem)
{
    return fileName + ", section [" + section + "], row " + std::to_string(row) + " \"" + shownRow +
           "\": " + problemText(problem);
}

// Walks the rows of one split-row section, splitting each and checking its item count.
class SplitSection {
public:
    SplitSection(const IniFile& ini, const std::string& fileName, std::string section,
                 std::size_t itemsNeeded, ChoiceFileError::Problem tooFewProblem,
                 std::vector<ChoiceFileError>* problems)
        : fileName_(fileName), section_(std::move(section)), rows_(ini.sectionRows(section_)),
          itemsNeeded_(itemsNeeded), tooFewProblem_(tooFewProblem), problems_(problems)
    {}

    // Calls `use(items)` for each row; `use` may call fail() to reject the row.
    template <typename Use> void forEachRow(Use use)
    {
        std::vector<std::string> items;
        for (current_ = 0; current_ < rows_.size(); ++current_) {
            try {
                splitCommaTextInto(rows_[current_], items);
                if (items.size() < itemsNeeded_)
                    fail(tooFewProblem_);
                use(items);
            } catch (const RowLeftOut&) {
            }
        }
    }

    std::size_t rowCount() const { return rows_.size(); }

    // Throws the error, or when problems are collected records it and leaves the row out.
    [[noreturn]] void fail(ChoiceFileError::Problem problem) const
    {
        ChoiceFileError error(fileName_, section_, static_cast<int>(current_) + 1, rows_[current_],
                              problem);
        if (!problems_)
            throw error;
        problems_->push_back(std::move(error));
        throw RowLeftOut();
    }

private:
    struct RowLeftOut {};

    const std::string& fileName_;
    std::string section_;
    std::vector<std::string> rows_;
    std::size_t itemsNeeded_;
    ChoiceFileError::Problem tooFewProblem_;
    std::vector<ChoiceFileError>* problems_;
    std::size_t current_ = 0;
};

// Sections whose rows pair a text with a number; `offset` is added to the file's number.
std::vector<NumberedEntry> readNumbered(const IniFile& ini, const std::string& fileName,
                                        const std::string& section, int offset,
                                        std::vector<ChoiceFileError>* problems)
{
    SplitSection rows(ini, fileName, section, 2, ChoiceFileError::Problem::NeedsTextAndNumber,
                      problems);
    std::vector<NumberedEntry> entries;
    entries.reserve(rows.rowCount());
    rows.forEachRow([&](std::vector<std::string>& items) {
        const std::optional<int> number = readInteger(items[1]);
        if (!number)
            rows.fail(ChoiceFileError::Problem::NotWhole);
        if (*number > std::numeric_limits<int>::max() - offset)
            rows.fail(ChoiceFileError::Problem::TooLarge);
        entries.push_back({std::move(items[0]), *number + offset});
    });
    return entries;
}

RuleTable readRuleTable(const IniFile& ini, const std::string& fileName, const std::string& section,
                        std::vector<ChoiceFileError>* problems)
{
    SplitSection rows(ini, fileName, section, 2, ChoiceFileError::Problem::NeedsKeyAndValue,
                      problems);
    RuleTable table;
    table.keys.reserve(rows.rowCount());
    table.values.reserve(rows.rowCount());
    // Values are checked when a derivation uses them, not here: a table may hold words.
    rows.forEachRow([&](std::vector<std::string>& items) {
        table.keys.push_back(std::move(items[0]));
        table.values.push_back(std::move(items[1]));
    });
    return table;
}

std::vector<AttackRow> readAttacks(const IniFile& ini, const std::string& fileName,
                                   std::vector<ChoiceFileError>* problems)
{
    SplitSection rows(ini, fileName, "attack", 4, ChoiceFileError::Problem::NeedsFourItems,
                      problems);
    std::vector<AttackRow> attacks;
    attacks.reserve(rows.rowCount());
    rows.forEachRow([&](std::vector<std::string>& items) {
        attacks.push_back(
            {std::move(items[0]), std::move(items[1]), std::move(items[2]), std::move(items[3])});
    });
    return attacks;
}

} // namespace

std::optional<std::string> RuleTable::lookup(std::string_view key) const
{
    const std::size_t rows = std::min(keys.size(), values.size());
    for (std::size_t i = 0; i < rows; ++i) {
        if (equalsIgnoringAsciiCase(keys[i], key))
            return values[i];
    }
    return std::nullopt;
}

std::vector<std::string> ChoiceTables::attackNames() const
{
    std::vector<std::string> names;
    names.reserve(attacks.size());
    for (const AttackRow& attack : attacks)
        names.push_back(attack.name);
    return names;
}

ChoiceFileError::ChoiceFileError(const std::string& fileName, const std::string& section, int row,
                                 const std::string& rowText, Problem problem)
    : std::runtime_error(
          describe(fileName, section, row, cp932ToUtf8(shortened(rowText)), problem)),
      fileName_(fileName), section_(section), row_(row), shownRow_(cp932ToUtf8(shortened(rowText))),
      problem_(problem)
{}

const char* ChoiceFileError::problemText() const
{
    return grimtally::problemText(problem_);
}

ChoiceTables readChoiceTables(const IniFile& ini, const std::string& fileName,
                              std::vector<ChoiceFileError>* problems)
{
    // Sections in the order the editor has always read them, so the first error reported is
    // the same one the user would meet reading the file top to bottom in that order.
    ChoiceTables t;
    t.classify = ini.sectionRows("classify");
    t.celebrity = ini.sectionRows("celebrity");
    t.count = ini.sectionRows("count");
    t.frequency = ini.sectionRows("frequency");
    t.reaction = ini.sectionRows("reaction");
    t.intelligence = readNumbered(ini, fileName, "intelligence", 0, problems);
    t.sense = ini.sectionRows("sense");
    t.subSenses = ini.sectionRows("sense-sub");
    t.movement = ini.sectionRows("movement");
    t.size = readNumbered(ini, fileName, "size", 6, problems); // the dodge term: size-neutral is 6
    t.hardness = readNumbered(ini, fileName, "hardness", 0, problems);
    t.hit = readRuleTable(ini, fileName, "hit", problems);
    t.damage = readRuleTable(ini, fileName, "damage", problems);
    t.critical = readRuleTable(ini, fileName, "critical", problems);
    t.attacks = readAttacks(ini, fileName, problems);
    t.magic = ini.sectionRows("magic");
    t.abilities = ini.sectionRows("ability");
    return t;
}

} // namespace grimtally
