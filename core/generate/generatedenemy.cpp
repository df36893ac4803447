#include "core/generate/generatedenemy.h"

#include "core/records/fieldtable.h"
#include "core/rules/combat.h"
#include "core/text/commatext.h"

#include <algorithm>
#include <array>
#include <optional>

namespace grimtally {

namespace {

// A list with the none word first, as the optional boxes hold it; a list whose first row
// is the none word already serves as it is.
std::vector<std::string> withNone(const std::vector<std::string>& entries, std::string_view none)
{
    if (!entries.empty() && entries.front() == none)
        return entries;
    std::vector<std::string> list;
    list.reserve(entries.size() + 1);
    list.emplace_back(none);
    list.insert(list.end(), entries.begin(), entries.end());
    return list;
}

std::vector<std::string> texts(const std::vector<NumberedEntry>& entries)
{
    std::vector<std::string> list;
    for (const NumberedEntry& entry : entries)
        list.push_back(entry.text);
    return list;
}

// A combo box: its entries, the numbers they carry, and the selected entry (-1: none).
struct Combo {
    std::vector<std::string> entries;
    std::vector<int> numbers;
    int index = -1;

    int count() const { return static_cast<int>(entries.size()); }
    void select(int i) { index = i >= 0 && i < count() ? i : -1; }
    void selectFirst() { select(count() > 0 ? 0 : -1); }
    std::string text() const
    {
        return index >= 0 ? entries[static_cast<std::size_t>(index)] : std::string();
    }
    int number(int fallback) const
    {
        return index >= 0 && index < static_cast<int>(numbers.size())
                   ? numbers[static_cast<std::size_t>(index)]
                   : fallback;
    }
    static Combo numbered(const std::vector<NumberedEntry>& entries)
    {
        Combo combo{texts(entries), {}, -1};
        for (const NumberedEntry& entry : entries)
            combo.numbers.push_back(entry.number);
        return combo;
    }
};

// The editor's inputs that generation touches, with its change handlers: a text put into a
// spin edit runs the control's handler only when it differs from the text there.
class EditorModel {
public:
    EditorModel(const ChoiceTables& tables, std::string_view none) : tables_(tables)
    {
        classify_.entries = tables.classify;
        celebrity2_.entries = withNone(tables.celebrity, none);
        count1_.entries = tables.count;
        count2_.entries = withNone(tables.count, none);
        frequency_.entries = tables.frequency;
        reaction1_.entries = tables.reaction;
        reaction2_.entries = withNone(tables.reaction, none);
        int_ = Combo::numbered(tables.intelligence);
        sense_.entries = tables.sense;
        movement1_.entries = tables.movement;
        movement2_.entries = withNone(tables.movement, none);
        size_ = Combo::numbered(tables.size);
        hardness_ = Combo::numbered(tables.hardness);
        const std::vector<std::string> attacks = tables.attackNames();
        attacks_[0].entries = attacks;
        attacks_[1].entries = attacks_[2].entries = withNone(attacks, none);
        for (Combo& magic : magics_)
            magic.entries = withNone(tables.magic, none);
    }

    ListSizes sizes() const
    {
        ListSizes lists;
        lists.size = size_.count();
        lists.hardness = hardness_.count();
        lists.celebrityText = celebrity2_.count();
        lists.classify = classify_.count();
        lists.frequency = frequency_.count();
        lists.intelligence = int_.count();
        lists.sense = sense_.count();
        lists.count1 = count1_.count();
        lists.count2 = count2_.count();
        lists.reaction1 = reaction1_.count();
        lists.reaction2 = reaction2_.count();
        lists.movement1 = movement1_.count();
        lists.movement2 = movement2_.count();
        for (std::size_t i = 0; i < 3; ++i) {
            lists.attacks[i] = attacks_[i].count();
            lists.magics[i] = magics_[i].count();
        }
        lists.abilities = static_cast<int>(tables_.abilities.size());
        lists.subSenses = static_cast<int>(tables_.subSenses.size());
        return lists;
    }

    // The new-record state, from the texts the window's layout starts with.
    void newRecord()
    {
        for (Combo* box : {&classify_, &celebrity2_, &count1_, &count2_, &frequency_, &reaction1_,
                           &reaction2_, &int_, &sense_})
            box->selectFirst();
        checked_.assign(tables_.subSenses.size(), false);
        for (Combo* box : {&movement1_, &movement2_, &size_, &hardness_, &attacks_[0], &attacks_[1],
                           &attacks_[2], &magics_[0], &magics_[1], &magics_[2]})
            box->selectFirst();
        movement2Change();
        for (int row = 0; row < 3; ++row)
            attackChange(row);
        dodge();
        prevent();
        hpResist();
        spResist();
        intChange();
        for (Spin* spin : {&level_, &celebrity_, &dex_, &mainSpeed_, &str_, &hp_, &sp_})
            put(*spin, "1");
        abilities_.clear();
    }

    // As the generation dialog applies a plan.
    void apply(const EnemyPlan& plan)
    {
        setValue(dex_, plan.dexterity);
        setValue(str_, plan.strength);
        setValue(hp_, plan.hp);
        setValue(sp_, plan.sp);
        setValue(mainSpeed_, plan.mainSpeed);
        size_.select(plan.size);
        hardness_.select(plan.hardness);
        dodge();
        prevent();

        setValue(level_, plan.level);
        setValue(celebrity_, plan.celebrity);
        const auto selectIfPlanned = [](Combo& box, const std::optional<int>& index) {
            if (index)
                box.select(*index);
        };
        selectIfPlanned(celebrity2_, plan.celebrityText);
        selectIfPlanned(classify_, plan.classify);
        selectIfPlanned(frequency_, plan.frequency);
        selectIfPlanned(int_, plan.intelligence);
        selectIfPlanned(sense_, plan.sense);
        selectIfPlanned(count1_, plan.count1);
        selectIfPlanned(count2_, plan.count2);
        selectIfPlanned(reaction1_, plan.reaction1);
        selectIfPlanned(reaction2_, plan.reaction2);

        if (plan.subSpeed)
            setValue(subSpeed_, *plan.subSpeed);
        movement1_.select(plan.movement1);
        movement2_.select(plan.movement2);
        movement2Change();

        for (std::size_t row = 0; row < 3; ++row)
            attacks_[row].select(plan.attacks[row]);
        for (int row = 0; row < 3; ++row)
            attackChange(row);

        for (std::size_t row = 0; row < 3; ++row) {
            if (plan.magicLevels[row])
                setValue(magicLevels_[row], *plan.magicLevels[row]);
        }
        for (std::size_t row = 0; row < 3; ++row)
            magics_[row].select(plan.magics[row]);
        for (int row = 0; row < 3; ++row)
            magicChange(row);

        abilities_.clear();
        for (int index : plan.abilities)
            abilities_.push_back(tables_.abilities.at(static_cast<std::size_t>(index)));
        checked_.assign(tables_.subSenses.size(), false);
        for (int index : plan.subSenses)
            checked_.at(static_cast<std::size_t>(index)) = true;
    }

    // The fields registering stores.
    std::array<std::string, kFieldCount> fields() const
    {
        std::array<std::string, kFieldCount> f;
        const auto optional = [](const Combo& box) {
            return box.index == 0 ? std::string() : box.text();
        };
        f[FieldClassify] = classify_.text();
        f[FieldLevel] = level_.text;
        f[FieldCelebrity] = celebrity_.text;
        f[FieldCelebrityQualifier] = optional(celebrity2_);
        f[FieldDex] = dex_.text;
        f[FieldMainSpeed] = mainSpeed_.text;
        f[FieldMainMovement] = movement1_.text();
        if (movement2_.index != 0) {
            f[FieldSubSpeed] = subSpeed_.text;
            f[FieldSubMovement] = movement2_.text();
        }
        f[FieldCountLow] = count1_.text();
        f[FieldCountHigh] = optional(count2_);
        f[FieldFrequency] = frequency_.text();
        f[FieldInt] = int_.text();
        f[FieldReaction] = reaction1_.text();
        f[FieldReaction2] = optional(reaction2_);
        for (std::size_t row = 0; row < 3; ++row) {
            if (row > 0 && attacks_[row].index == 0)
                continue;
            const std::size_t first = FieldAttack1Method + 3 * row;
            f[first] = attacks_[row].text();
            f[first + 1] = hits_[row].text;
            f[first + 2] = damages_[row];
        }
        f[FieldDodge] = dodge_.text;
        f[FieldPrevent] = prevent_;
        f[FieldHP] = hp_.text;
        f[FieldHPResist] = hpResist_.text;
        f[FieldSP] = sp_.text;
        f[FieldSPResist] = spResist_.text;
        for (std::size_t row = 0; row < 3; ++row) {
            if (magics_[row].index == 0)
                continue;
            const std::size_t first = FieldMagic1Kind + 3 * row;
            f[first] = magics_[row].text();
            f[first + 1] = magicLevels_[row].text;
            f[first + 2] = magicPowers_[row].text;
        }
        f[FieldAbility] = joinCommaText(std::span<const std::string>(abilities_));
        std::vector<std::string> senses;
        for (std::size_t i = 0; i < checked_.size(); ++i) {
            if (checked_[i])
                senses.push_back(tables_.subSenses[i]);
        }
        f[FieldSubSenses] = senses.empty() ? std::string() : joinCommaText(senses);
        f[FieldSense] = sense_.text();
        f[FieldStrength] = str_.text;
        f[FieldSize] = size_.text();
        f[FieldHardness] = hardness_.text();
        return f;
    }

private:
    enum class Handler { None, Level, Str, Dex, HP, SP, MagicLevel };
    struct Spin {
        std::string text;
        Handler handler = Handler::None;
        int row = 0;
    };

    // A new text; the control's change handler runs when it differs.
    void put(Spin& spin, std::string text)
    {
        if (spin.text == text)
            return;
        spin.text = std::move(text);
        switch (spin.handler) {
        case Handler::None:
            break;
        case Handler::Level:
            levelChange();
            break;
        case Handler::Str:
            strChange();
            break;
        case Handler::Dex:
            dodge();
            break;
        case Handler::HP:
            hpResist();
            break;
        case Handler::SP:
            spResist();
            break;
        case Handler::MagicLevel:
            magicLevelChange(spin.row);
            break;
        }
    }
    void setValue(Spin& spin, int value)
    {
        put(spin, std::to_string(std::clamp(value, 0, kNumberMaximum)));
    }
    static int numberOf(const Spin& spin) { return spinValue(spin.text); }

    void levelChange()
    {
        if (level_.text.empty())
            return;
        for (int row = 0; row < 3; ++row)
            attackChange(row);
        dodge();
        prevent();
        hpResist();
        spResist();
    }
    void strChange()
    {
        if (str_.text.empty())
            return;
        for (int row = 0; row < 3; ++row)
            attackChange(row);
    }
    void intChange()
    {
        if (int_.text().empty())
            return;
        for (int row = 0; row < 3; ++row)
            magicChange(row);
    }
    void movement2Change()
    {
        if (movement2_.index == 0)
            put(subSpeed_, "");
        else if (subSpeed_.text.empty())
            put(subSpeed_, "1");
    }
    void attackChange(int row)
    {
        const auto r = static_cast<std::size_t>(row);
        const int offset = row == 0 ? 0 : 1;
        if (row > 0) {
            if (attacks_[r].index == 0) {
                put(hits_[r], "");
                damages_[r].clear();
            } else if (hits_[r].text.empty()) {
                put(hits_[r], "1");
            }
        }
        const int index = attacks_[r].index;
        if (index < offset)
            return;
        const AttackValues values =
            attackValues(tables_, index - offset, numberOf(level_), numberOf(str_));
        put(hits_[r], std::to_string(values.hit));
        damages_[r] = values.damage;
    }
    void dodge()
    {
        if (dex_.text.empty())
            return;
        const int sizeTerm = size_.count() == 0 ? 6 : size_.number(6);
        put(dodge_, std::to_string(dodgeValue(numberOf(level_), numberOf(dex_), sizeTerm)));
    }
    void prevent()
    {
        prevent_ = std::to_string(preventValue(numberOf(level_), hardness_.number(0)));
    }
    void hpResist() { put(hpResist_, std::to_string(resistValue(hp_.text, numberOf(level_)))); }
    void spResist() { put(spResist_, std::to_string(resistValue(sp_.text, numberOf(level_)))); }
    void magicChange(int row)
    {
        const auto r = static_cast<std::size_t>(row);
        if (magics_[r].index == 0) {
            put(magicLevels_[r], "");
            put(magicPowers_[r], "");
        } else if (magicLevels_[r].text.empty()) {
            put(magicLevels_[r], "1");
        }
        // Row 1 also derives its power when nothing is selected; rows 2 and 3 do not.
        if (row == 0 ? magics_[r].index != 0 : magics_[r].index >= 1)
            magicLevelChange(row);
    }
    void magicLevelChange(int row)
    {
        const auto r = static_cast<std::size_t>(row);
        const std::optional<int> level = readInteger(magicLevels_[r].text);
        if (!level) {
            put(magicLevels_[r], "");
            put(magicPowers_[r], "");
            return;
        }
        if (int_.count() == 0)
            return;
        put(magicPowers_[r], std::to_string(magicPower(*level, int_.number(0))));
    }

    const ChoiceTables& tables_;
    Combo classify_, celebrity2_, count1_, count2_, frequency_, reaction1_, reaction2_, int_,
        sense_, movement1_, movement2_, size_, hardness_;
    std::array<Combo, 3> attacks_, magics_;
    // The texts the window's layout gives before the first new-record state.
    Spin level_{"1", Handler::Level}, celebrity_{"1"}, dex_{"1", Handler::Dex}, mainSpeed_{"1"},
        subSpeed_{"1"}, str_{"1", Handler::Str}, dodge_{"0"}, hp_{"1", Handler::HP}, hpResist_{"0"},
        sp_{"1", Handler::SP}, spResist_{"0"};
    std::array<Spin, 3> hits_{{{"0"}, {"0"}, {"0"}}};
    std::array<std::string, 3> damages_;
    std::array<Spin, 3> magicLevels_{{{"1", Handler::MagicLevel, 0},
                                      {"1", Handler::MagicLevel, 1},
                                      {"1", Handler::MagicLevel, 2}}};
    std::array<Spin, 3> magicPowers_{{{"0"}, {"0"}, {"0"}}};
    std::string prevent_;
    std::vector<std::string> abilities_;
    std::vector<bool> checked_;
};

} // namespace

ListSizes editorListSizes(const ChoiceTables& tables, std::string_view noneWord)
{
    return EditorModel(tables, noneWord).sizes();
}

EnemyRecord generatedEnemy(const EnemyPlan& plan, const ChoiceTables& tables,
                           std::string_view noneWord, std::string name)
{
    EditorModel editor(tables, noneWord);
    editor.newRecord();
    editor.apply(plan);
    const std::array<std::string, kFieldCount> fields = editor.fields();
    return {std::move(name), FieldList(std::span<const std::string>(fields))};
}

} // namespace grimtally
