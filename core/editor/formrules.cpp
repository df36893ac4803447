// The rules of the enemy form: what a change of an input re-derives, how the optional rows
// are switched on and off, and what leaving an emptied input puts back. The formulas are
// core/rules/combat's; the order in which they run is here.
#include "core/editor/enemyform.h"

#include <algorithm>

namespace grimtally {

namespace {

// The three fields of a row, from its first: method, hit, damage; kind, level, power.
constexpr int attackMethod(int row)
{
    return FieldAttack1Method + 3 * row;
}
constexpr int magicKind(int row)
{
    return FieldMagic1Kind + 3 * row;
}

} // namespace

int EnemyForm::numberOf(int field) const
{
    return spinValue(text(field));
}

int EnemyForm::selectedNumber(int field, int fallback) const
{
    const int index = selected(field);
    if (index < 0)
        return fallback;
    return entryNumber(field, index).value_or(fallback);
}

// --- what follows a change ---

void EnemyForm::changed(int field)
{
    switch (field) {
    case FieldLevel:
        levelChanged();
        break;
    case FieldStrength:
        strengthChanged();
        break;
    case FieldInt:
        intelligenceChanged();
        break;
    case FieldDex:
    case FieldSize:
        dodge();
        break;
    case FieldHardness:
        prevent();
        break;
    case FieldHP:
        resist(FieldHP, FieldHPResist);
        break;
    case FieldSP:
        resist(FieldSP, FieldSPResist);
        break;
    case FieldSubMovement:
        subMovementEnabled();
        break;
    case FieldAttack1Method:
    case FieldAttack2Method:
    case FieldAttack3Method:
        attackChanged((field - FieldAttack1Method) / 3);
        break;
    case FieldMagic1Kind:
    case FieldMagic2Kind:
    case FieldMagic3Kind:
        magicChanged((field - FieldMagic1Kind) / 3);
        break;
    case FieldMagic1Level:
    case FieldMagic2Level:
    case FieldMagic3Level:
        magicLevelChanged((field - FieldMagic1Level) / 3);
        break;
    default:
        // A hit, the dodge, a resist or a magic power: its dice base follows it.
        if (hasDiceBase(field))
            diceBaseChanged(field);
        break;
    }
}

void EnemyForm::levelChanged()
{
    if (!text(FieldLevel).empty())
        deriveByLevel();
}

void EnemyForm::deriveByLevel()
{
    for (int row = 0; row < 3; ++row)
        attackChanged(row);
    dodge();
    prevent();
    resist(FieldHP, FieldHPResist);
    resist(FieldSP, FieldSPResist);
}

void EnemyForm::strengthChanged()
{
    if (text(FieldStrength).empty())
        return;
    for (int row = 0; row < 3; ++row)
        attackChanged(row);
}

void EnemyForm::intelligenceChanged()
{
    if (text(FieldInt).empty())
        return;
    for (int row = 0; row < 3; ++row)
        magicChanged(row);
}

void EnemyForm::attackChanged(int row)
{
    if (row > 0)
        attackEnabled(row);
    attack(row);
}

void EnemyForm::magicChanged(int row)
{
    magicEnabled(row);
    // Row 1 also derives its power while its text is typed and no entry; rows 2 and 3 not.
    const int index = selected(magicKind(row));
    if (row == 0 ? index != 0 : index >= 1)
        magicLevelChanged(row);
}

// --- derived values ---

void EnemyForm::attack(int row)
{
    // Rows 2 and 3 begin with the none word, which is no attack.
    const int offset = row == 0 ? 0 : 1;
    const int method = attackMethod(row);
    const int index = selected(method);
    if (index < offset || !tables())
        return;
    AttackValues values;
    try {
        values =
            attackValues(*tables(), index - offset, numberOf(FieldLevel), numberOf(FieldStrength));
    } catch (const RuleError& error) {
        // A flaw of the choice file: hit and damage stay as they were. One command may run
        // this derivation from several rules (level, strength, the attack itself); the user
        // hears of each flaw once.
        const auto same = [&](const RuleError& met) {
            return met.kind() == error.kind() && met.arguments() == error.arguments();
        };
        if (std::ranges::none_of(changes_->errors, same))
            changes_->errors.push_back(error);
        return;
    }
    setText(method + 1, std::to_string(values.hit));
    // The damage may be the attack's hit key, bytes of the choice file kept as they are.
    setText(method + 2, values.damage);
}

void EnemyForm::dodge()
{
    if (text(FieldDex).empty())
        return;
    // With no sizes at all, or a typed size that is no entry, the size-neutral term.
    const int sizeTerm = entries(FieldSize).empty() ? 6 : selectedNumber(FieldSize, 6);
    setText(FieldDodge,
            std::to_string(dodgeValue(numberOf(FieldLevel), numberOf(FieldDex), sizeTerm)));
    confirmNumber(FieldDodge); // no longer empty: nothing to confirm
}

void EnemyForm::prevent()
{
    setText(FieldPrevent,
            std::to_string(preventValue(numberOf(FieldLevel), selectedNumber(FieldHardness, 0))));
}

void EnemyForm::resist(int points, int resist)
{
    setText(resist, std::to_string(resistValue(text(points), numberOf(FieldLevel))));
}

void EnemyForm::diceBaseChanged(int field)
{
    if (const std::optional<int> value = readInteger(text(field))) {
        setDiceBase(field, std::to_string(diceBase(*value)));
    } else {
        setText(field, "");
        setDiceBase(field, "");
    }
}

void EnemyForm::magicLevelChanged(int row)
{
    const int level = magicKind(row) + 1;
    const int power = level + 1;
    const std::optional<int> magicLevel = readInteger(text(level));
    if (!magicLevel) {
        setText(level, "");
        setText(power, "");
        return;
    }
    if (entries(FieldInt).empty())
        return;
    setText(power, std::to_string(magicPower(*magicLevel, selectedNumber(FieldInt, 0))));
}

// --- optional rows: the none word switches a row off ---

void EnemyForm::subMovementEnabled()
{
    if (selected(FieldSubMovement) == 0) {
        setText(FieldSubSpeed, "");
        enable(FieldSubSpeed, false);
    } else {
        enable(FieldSubSpeed, true);
        if (text(FieldSubSpeed).empty())
            setText(FieldSubSpeed, "1");
    }
}

void EnemyForm::attackEnabled(int row)
{
    const int method = attackMethod(row);
    const int hit = method + 1;
    const int damage = method + 2;
    if (selected(method) == 0) {
        setText(hit, "");
        enable(hit, false);
        setDiceBase(hit, "");
        setText(damage, "");
        enable(damage, false);
    } else {
        enable(damage, true);
        enable(hit, true);
        if (text(hit).empty())
            setText(hit, "1");
    }
}

void EnemyForm::magicEnabled(int row)
{
    const int kind = magicKind(row);
    const int level = kind + 1;
    const int power = kind + 2;
    if (selected(kind) == 0) {
        setText(level, "");
        enable(level, false);
        setText(power, "");
        enable(power, false);
    } else {
        enable(power, true);
        enable(level, true);
        if (text(level).empty())
            setText(level, "1");
    }
}

// --- leaving an input ---

// An emptied hit, resist or magic power is derived again; any other emptied choice or
// number gets a usable value back.
void EnemyForm::left(int field)
{
    switch (field) {
    case FieldAttack1Hit:
    case FieldAttack2Hit:
    case FieldAttack3Hit:
        confirmHit((field - FieldAttack1Hit) / 3);
        break;
    case FieldHPResist:
        if (text(field).empty())
            resist(FieldHP, FieldHPResist);
        break;
    case FieldSPResist:
        if (text(field).empty())
            resist(FieldSP, FieldSPResist);
        break;
    case FieldMagic1Power:
    case FieldMagic2Power:
    case FieldMagic3Power:
        confirmPower((field - FieldMagic1Power) / 3);
        break;
    default:
        if (field == kNameField)
            break;
        if (fieldInfo(field).kind == FieldKind::Choice)
            confirmChoice(field);
        else if (fieldInfo(field).kind == FieldKind::Number)
            confirmNumber(field);
        break;
    }
}

void EnemyForm::confirmChoice(int field)
{
    // A choice without entries (no choice file read) has nothing to put back.
    if (!text(field).empty() || entries(field).empty())
        return;
    select(field, 0);
    changed(field);
}

void EnemyForm::confirmNumber(int field)
{
    // An input switched off under the focus is left by no user; it stays empty.
    if (enabled(field) && text(field).empty())
        setValue(field, 1);
}

void EnemyForm::confirmHit(int row)
{
    const int method = attackMethod(row);
    const int hit = method + 1;
    if (!enabled(hit) || !text(hit).empty())
        return;
    if (selected(method) < 0) {
        setValue(hit, 7);
        return;
    }
    attackChanged(row);
}

void EnemyForm::confirmPower(int row)
{
    const int power = magicKind(row) + 2;
    if (!enabled(power))
        return;
    if (text(power).empty())
        setValue(power, 7);
    setDiceBase(power, std::to_string(diceBase(numberOf(power))));
}

} // namespace grimtally
