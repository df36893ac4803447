// The enemy form's state and the operations the windows call; the rules they run are in
// formrules.cpp.
#include "core/editor/enemyform.h"

#include "core/text/commatext.h"
#include "core/text/sjis.h"

#include <algorithm>

namespace grimtally {

namespace {

bool holdsNonAscii(std::string_view text)
{
    return std::ranges::any_of(text, [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Whether two texts show alike: the same bytes, or two codes of the same characters (and
// bytes that are no character, which show as the same replacement mark). An input shows
// text, so putting in a text that shows alike is no change for its rules.
bool showAlike(std::string_view a, std::string_view b)
{
    if (a == b)
        return true;
    if (!holdsNonAscii(a) || !holdsNonAscii(b))
        return false;
    return cp932ToUtf8(a) == cp932ToUtf8(b);
}

const std::vector<std::string> kNoEntries;

} // namespace

struct EnemyForm::Lists {
    std::array<std::vector<std::string>, kFieldCount> entries; // of each choice
    std::array<std::vector<int>, kFieldCount> numbers;         // the numbers they carry
    std::optional<ChoiceTables> tables;
};

// Collects what one operation changes; operations do not nest.
class EnemyForm::Operation {
public:
    explicit Operation(EnemyForm& form) : form_(form) { form_.changes_ = &changes_; }
    ~Operation() { form_.changes_ = nullptr; }
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;
    FormChanges take() { return std::move(changes_); }

private:
    EnemyForm& form_;
    FormChanges changes_;
};

FormChanges FormChanges::everything()
{
    FormChanges changes;
    changes.texts.set();
    changes.diceBases.set();
    changes.enabling.set();
    return changes;
}

EnemyForm::EnemyForm(std::string noneWord)
    : noneWord_(std::move(noneWord)), lists_(std::make_shared<Lists>())
{
    selected_.fill(-1);
    // The texts the editor's inputs hold before its first new-record state.
    for (int field :
         {FieldLevel, FieldCelebrity, FieldDex, FieldMainSpeed, FieldSubSpeed, FieldStrength,
          FieldHP, FieldSP, FieldMagic1Level, FieldMagic2Level, FieldMagic3Level})
        texts_[static_cast<std::size_t>(field + 1)].assign(1, '1');
    for (int field : {FieldAttack1Hit, FieldAttack2Hit, FieldAttack3Hit, FieldDodge, FieldHPResist,
                      FieldSPResist, FieldMagic1Power, FieldMagic2Power, FieldMagic3Power})
        texts_[static_cast<std::size_t>(field + 1)].assign(1, '0');
}

// --- choice lists ---

EnemyForm::Lists& EnemyForm::editableLists()
{
    // Copies of a form (one per enemy the command line rolls) share their lists until one
    // of them loads others.
    if (lists_.use_count() > 1)
        lists_ = std::make_shared<Lists>(*lists_);
    return const_cast<Lists&>(*lists_);
}

void EnemyForm::setChoices(ChoiceTables tables)
{
    Lists& lists = editableLists();
    for (const FieldInfo& info : kFieldTable) {
        if (info.kind != FieldKind::Choice)
            continue;
        const auto f = static_cast<std::size_t>(info.field);
        std::vector<std::string>& entries = lists.entries[f];
        std::vector<int>& numbers = lists.numbers[f];
        numbers.clear();
        const auto numbered = [&](const std::vector<NumberedEntry>& rows) {
            entries.clear();
            for (const NumberedEntry& row : rows) {
                entries.push_back(row.text);
                numbers.push_back(row.number);
            }
        };
        switch (info.list) {
        case ChoiceList::Classify:
            entries = tables.classify;
            break;
        case ChoiceList::Celebrity:
            entries = tables.celebrity;
            break;
        case ChoiceList::Count:
            entries = tables.count;
            break;
        case ChoiceList::Frequency:
            entries = tables.frequency;
            break;
        case ChoiceList::Reaction:
            entries = tables.reaction;
            break;
        case ChoiceList::Intelligence:
            numbered(tables.intelligence);
            break;
        case ChoiceList::Sense:
            entries = tables.sense;
            break;
        case ChoiceList::Movement:
            entries = tables.movement;
            break;
        case ChoiceList::Size:
            numbered(tables.size);
            break;
        case ChoiceList::Hardness:
            numbered(tables.hardness);
            break;
        case ChoiceList::Attack:
            entries = tables.attackNames();
            break;
        case ChoiceList::Magic:
            entries = tables.magic;
            break;
        case ChoiceList::None:
        case ChoiceList::SubSense:
        case ChoiceList::Ability:
            break;
        }
        keepSelection(info.field, std::nullopt);
    }
    // New sub senses start unticked.
    ticks_.assign(tables.subSenses.size(), 0);
    lists.tables = std::move(tables);
}

void EnemyForm::putNoneWords()
{
    // The first optional choice of each list decides for all of them.
    std::vector<ChoiceList> decided;
    for (const FieldInfo& first : kFieldTable) {
        if (!first.optional || std::ranges::count(decided, first.list) > 0)
            continue;
        decided.push_back(first.list);
        const std::vector<std::string>& test = entries(first.field);
        if (!test.empty() && test.front() == noneWord_)
            continue;
        Lists& lists = editableLists();
        for (const FieldInfo& info : kFieldTable) {
            if (!info.optional || info.list != first.list)
                continue;
            std::vector<std::string>& list = lists.entries[static_cast<std::size_t>(info.field)];
            list.insert(list.begin(), noneWord_);
            keepSelection(info.field, 1);
        }
    }
}

const std::optional<ChoiceTables>& EnemyForm::tables() const
{
    return lists_->tables;
}

const std::vector<std::string>& EnemyForm::entries(int field) const
{
    return lists_->entries[static_cast<std::size_t>(field)];
}

std::optional<int> EnemyForm::entryNumber(int field, int index) const
{
    const std::vector<int>& numbers = lists_->numbers[static_cast<std::size_t>(field)];
    if (index < 0 || static_cast<std::size_t>(index) >= numbers.size())
        return std::nullopt;
    return numbers[static_cast<std::size_t>(index)];
}

const std::vector<std::string>& EnemyForm::abilityList() const
{
    return tables() ? tables()->abilities : kNoEntries;
}

const std::vector<std::string>& EnemyForm::subSenseCaptions() const
{
    return tables() ? tables()->subSenses : kNoEntries;
}

ListSizes EnemyForm::listSizes() const
{
    const auto count = [this](int field) { return static_cast<int>(entries(field).size()); };
    ListSizes lists;
    lists.size = count(FieldSize);
    lists.hardness = count(FieldHardness);
    lists.celebrityText = count(FieldCelebrityQualifier);
    lists.classify = count(FieldClassify);
    lists.frequency = count(FieldFrequency);
    lists.intelligence = count(FieldInt);
    lists.sense = count(FieldSense);
    lists.count1 = count(FieldCountLow);
    lists.count2 = count(FieldCountHigh);
    lists.reaction1 = count(FieldReaction);
    lists.reaction2 = count(FieldReaction2);
    lists.movement1 = count(FieldMainMovement);
    lists.movement2 = count(FieldSubMovement);
    lists.attacks = {count(FieldAttack1Method), count(FieldAttack2Method),
                     count(FieldAttack3Method)};
    lists.magics = {count(FieldMagic1Kind), count(FieldMagic2Kind), count(FieldMagic3Kind)};
    lists.abilities = static_cast<int>(abilityList().size());
    lists.subSenses = static_cast<int>(subSenseCaptions().size());
    return lists;
}

// --- changes of the inputs ---

void EnemyForm::setText(int field, std::string_view text)
{
    std::string& current = texts_[static_cast<std::size_t>(field + 1)];
    if (current == text)
        return;
    const bool alike = showAlike(current, text);
    current.assign(text);
    changes_->texts.set(static_cast<std::size_t>(field + 1));
    if (!alike && field != kNameField)
        changed(field);
}

void EnemyForm::setValue(int field, int value)
{
    const FieldInfo& info = fieldInfo(field);
    setText(field, std::to_string(std::clamp(value, info.minimum, info.maximum)));
}

void EnemyForm::select(int field, int index)
{
    const std::vector<std::string>& list = entries(field);
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        index = -1;
    static const std::string kNothing;
    const std::string& text = index >= 0 ? list[static_cast<std::size_t>(index)] : kNothing;
    std::string& current = texts_[static_cast<std::size_t>(field + 1)];
    int& selected = selected_[static_cast<std::size_t>(field)];
    if (selected == index && current == text)
        return;
    selected = index;
    current = text;
    changes_->texts.set(static_cast<std::size_t>(field + 1));
}

void EnemyForm::selectFirst(int field)
{
    select(field, entries(field).empty() ? -1 : 0);
}

void EnemyForm::lookUp(int field, std::string_view text)
{
    if (text.empty()) {
        selectFirst(field);
        return;
    }
    const std::vector<std::string>& list = entries(field);
    const auto found = std::ranges::find_if(
        list, [&](const std::string& entry) { return equalsIgnoringAsciiCase(entry, text); });
    if (found != list.end()) {
        select(field, static_cast<int>(found - list.begin()));
        return;
    }
    // A text that is no entry is kept as typed.
    texts_[static_cast<std::size_t>(field + 1)].assign(text);
    keepSelection(field, std::nullopt);
    changes_->texts.set(static_cast<std::size_t>(field + 1));
}

void EnemyForm::keepSelection(int field, std::optional<int> shift)
{
    // The entry the shown text stands on: the one it stood on, where the list only moved,
    // else the first entry that shows the same text.
    const std::string& shown = text(field);
    const std::vector<std::string>& list = entries(field);
    int& selected = selected_[static_cast<std::size_t>(field)];
    if (shift && selected >= 0) {
        const std::size_t moved = static_cast<std::size_t>(selected + *shift);
        if (moved < list.size() && showAlike(list[moved], shown)) {
            selected = static_cast<int>(moved);
            return;
        }
    }
    const auto found = std::ranges::find_if(
        list, [&](const std::string& entry) { return showAlike(entry, shown); });
    selected = found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

void EnemyForm::setDiceBase(int field, std::string text)
{
    std::string& current = bases_[static_cast<std::size_t>(field)];
    if (current == text)
        return;
    current = std::move(text);
    changes_->diceBases.set(static_cast<std::size_t>(field));
}

void EnemyForm::enable(int field, bool on)
{
    if (enabled(field) == on)
        return;
    disabled_.set(static_cast<std::size_t>(field), !on);
    changes_->enabling.set(static_cast<std::size_t>(field));
}

// --- operations ---

FormChanges EnemyForm::newRecord()
{
    Operation operation(*this);
    for (int field : {FieldClassify, FieldCelebrityQualifier, FieldCountLow, FieldCountHigh,
                      FieldFrequency, FieldReaction, FieldReaction2, FieldInt, FieldSense})
        selectFirst(field);
    for (std::size_t i = 0; i < ticks_.size(); ++i)
        tickSubSense(i, false);
    for (int field : {FieldMainMovement, FieldSubMovement, FieldSize, FieldHardness,
                      FieldAttack1Method, FieldAttack2Method, FieldAttack3Method, FieldMagic1Kind,
                      FieldMagic2Kind, FieldMagic3Kind})
        selectFirst(field);

    // Selecting runs no rule, so the rows are switched and derived here.
    subMovementEnabled();
    deriveByLevel();
    intelligenceChanged();

    for (int field : {kNameField, int{FieldHabitat}, int{FieldLanguage}})
        setText(field, "");
    // Each text runs its rule, so the derived values follow the new inputs.
    for (int field :
         {FieldLevel, FieldCelebrity, FieldDex, FieldMainSpeed, FieldStrength, FieldHP, FieldSP})
        setText(field, "1");
    putAbilities({});
    return operation.take();
}

FormChanges EnemyForm::load(std::string_view name, FieldsView fields)
{
    Operation operation(*this);
    const auto field = [&fields](int number) {
        return number < fields.size() ? fields[number] : std::string_view();
    };
    const auto set = [&](int number) { setText(number, field(number)); };
    const auto look = [&](int number) { lookUp(number, field(number)); };

    setText(kNameField, name);
    look(FieldClassify);
    set(FieldLevel);
    set(FieldCelebrity);
    look(FieldCelebrityQualifier);
    look(FieldCountLow);
    look(FieldCountHigh);
    look(FieldFrequency);
    set(FieldHabitat);
    look(FieldReaction);
    look(FieldReaction2);
    look(FieldInt);
    set(FieldLanguage);
    look(FieldSense);

    // A caption is found inside the stored text ("Keen Scent" ticks "Scent") or, where the
    // stored comma text had to quote it (a caption with a double quote), as one of its items.
    const std::string_view subSenses = field(FieldSubSenses);
    const std::vector<std::string> stored = splitCommaText(subSenses);
    const std::vector<std::string>& captions = subSenseCaptions();
    for (std::size_t i = 0; i < ticks_.size() && i < captions.size(); ++i)
        tickSubSense(i, containsCp932(subSenses, captions[i]) ||
                            std::ranges::find(stored, captions[i]) != stored.end());

    look(FieldSize);
    set(FieldDex);
    look(FieldMainMovement);
    set(FieldMainSpeed);
    look(FieldSubMovement);
    set(FieldSubSpeed);
    subMovementEnabled();
    set(FieldStrength);
    look(FieldHardness);

    for (int row = 0; row < 3; ++row) {
        const int method = FieldAttack1Method + 3 * row;
        look(method);
        set(method + 1);
        set(method + 2);
    }
    attackEnabled(1);
    attackEnabled(2);

    for (int number : {FieldDodge, FieldPrevent, FieldHP, FieldHPResist, FieldSP, FieldSPResist})
        set(number);

    for (int row = 0; row < 3; ++row) {
        const int kind = FieldMagic1Kind + 3 * row;
        look(kind);
        set(kind + 1);
        set(kind + 2);
    }
    for (int row = 0; row < 3; ++row)
        magicEnabled(row);

    putAbilities(splitCommaText(field(FieldAbility)));
    return operation.take();
}

FormChanges EnemyForm::put(int field, std::string_view text)
{
    Operation operation(*this);
    setText(field, text);
    return operation.take();
}

FormChanges EnemyForm::putValue(int field, int value)
{
    Operation operation(*this);
    setValue(field, value);
    return operation.take();
}

FormChanges EnemyForm::choose(int field, std::string_view text, int index)
{
    Operation operation(*this);
    std::string& current = texts_[static_cast<std::size_t>(field + 1)];
    int& selected = selected_[static_cast<std::size_t>(field)];
    if (current != text || selected != index) {
        current.assign(text);
        selected = index;
        changes_->texts.set(static_cast<std::size_t>(field + 1));
    }
    changed(field);
    return operation.take();
}

FormChanges EnemyForm::putAbilities(std::vector<std::string> lines)
{
    const bool nested = changes_ != nullptr;
    std::optional<Operation> operation;
    if (!nested)
        operation.emplace(*this);
    if (abilities_ != lines) {
        abilities_ = std::move(lines);
        changes_->texts.set(FieldAbility + 1);
    }
    return nested ? FormChanges() : operation->take();
}

FormChanges EnemyForm::tickSubSense(std::size_t index, bool ticked)
{
    const bool nested = changes_ != nullptr;
    std::optional<Operation> operation;
    if (!nested)
        operation.emplace(*this);
    char& tick = ticks_.at(index);
    if ((tick != 0) != ticked) {
        tick = ticked ? 1 : 0;
        changes_->texts.set(FieldSubSenses + 1);
    }
    return nested ? FormChanges() : operation->take();
}

FormChanges EnemyForm::leave(int field)
{
    Operation operation(*this);
    left(field);
    return operation.take();
}

FormChanges EnemyForm::applyPlan(const EnemyPlan& plan)
{
    Operation operation(*this);
    // Numbers run their own rules when their text changes; after selections, which run
    // none, the rules that depend on them are run by name.
    setValue(FieldDex, plan.dexterity);
    setValue(FieldStrength, plan.strength);
    setValue(FieldHP, plan.hp);
    setValue(FieldSP, plan.sp);
    setValue(FieldMainSpeed, plan.mainSpeed);
    select(FieldSize, plan.size);
    select(FieldHardness, plan.hardness);
    dodge();
    prevent();

    setValue(FieldLevel, plan.level);
    setValue(FieldCelebrity, plan.celebrity);
    const auto selectIfPlanned = [this](int field, const std::optional<int>& index) {
        if (index)
            select(field, *index);
    };
    selectIfPlanned(FieldCelebrityQualifier, plan.celebrityText);
    selectIfPlanned(FieldClassify, plan.classify);
    selectIfPlanned(FieldFrequency, plan.frequency);
    selectIfPlanned(FieldInt, plan.intelligence);
    selectIfPlanned(FieldSense, plan.sense);
    selectIfPlanned(FieldCountLow, plan.count1);
    selectIfPlanned(FieldCountHigh, plan.count2);
    selectIfPlanned(FieldReaction, plan.reaction1);
    selectIfPlanned(FieldReaction2, plan.reaction2);

    if (plan.subSpeed)
        setValue(FieldSubSpeed, *plan.subSpeed);
    select(FieldMainMovement, plan.movement1);
    select(FieldSubMovement, plan.movement2);
    subMovementEnabled();

    for (int row = 0; row < 3; ++row)
        select(FieldAttack1Method + 3 * row, plan.attacks[static_cast<std::size_t>(row)]);
    for (int row = 0; row < 3; ++row)
        attackChanged(row);

    for (int row = 0; row < 3; ++row) {
        if (const std::optional<int>& level = plan.magicLevels[static_cast<std::size_t>(row)])
            setValue(FieldMagic1Level + 3 * row, *level);
    }
    for (int row = 0; row < 3; ++row)
        select(FieldMagic1Kind + 3 * row, plan.magics[static_cast<std::size_t>(row)]);
    for (int row = 0; row < 3; ++row)
        magicChanged(row);

    std::vector<std::string> lines;
    lines.reserve(plan.abilities.size());
    for (int index : plan.abilities)
        lines.push_back(abilityList().at(static_cast<std::size_t>(index)));
    putAbilities(std::move(lines));
    for (std::size_t i = 0; i < ticks_.size(); ++i)
        tickSubSense(i, false);
    for (int index : plan.subSenses)
        tickSubSense(static_cast<std::size_t>(index), true);
    return operation.take();
}

EnemyRecord EnemyForm::record() const
{
    std::array<std::string, kFieldCount> fields;
    for (const FieldInfo& info : kFieldTable) {
        if (info.field == kNameField)
            continue;
        std::string& value = fields[static_cast<std::size_t>(info.field)];
        if (info.field == FieldAbility) {
            value = joinCommaText(abilities_);
        } else if (info.field == FieldSubSenses) {
            std::vector<std::string> ticked;
            const std::vector<std::string>& captions = subSenseCaptions();
            for (std::size_t i = 0; i < ticks_.size() && i < captions.size(); ++i) {
                if (ticks_[i] != 0)
                    ticked.push_back(captions[i]);
            }
            value = joinCommaText(ticked);
        } else if (info.row == kNoRow || selected(info.row) != 0) {
            // An optional row at its none word is stored empty, all of its fields.
            value = text(info.field);
        }
    }
    return {text(kNameField), FieldList(std::span<const std::string>(fields))};
}

} // namespace grimtally
