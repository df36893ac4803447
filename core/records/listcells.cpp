#include "core/records/listcells.h"

#include "core/records/fieldtable.h"
#include "core/text/commatext.h"
#include "core/text/numbers.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <stdexcept>
#include <vector>

namespace grimtally {

namespace {

// The optional rows the cells show when their switch is given, from the field table.
constexpr auto kLaterAttacks = optionalChoices<ChoiceList::Attack>();
constexpr auto kMagics = optionalChoices<ChoiceList::Magic>();
static_assert(kLaterAttacks.size() == 2 && kMagics.size() == 3);

void append(std::string& out, std::initializer_list<std::string_view> parts)
{
    for (std::string_view part : parts)
        out.append(part);
}

// Method, hit and damage of an attack: "Bite-8/2d".
void appendAttack(std::string& out, std::string_view method, const CellFields& f, int first,
                  const CellWords& words)
{
    append(out, {method, words.hyphen, f[first + 1], words.slash, f[first + 2]});
}

bool needsQuotes(std::string_view item)
{
    for (char c : item) {
        if (static_cast<unsigned char>(c) <= 0x20 || c == '"' || c == ',')
            return true;
    }
    return false;
}

// Part of a quoted comma text item: inner quotes doubled. The parts are a few bytes long,
// so a plain scan is quicker than a call to look for the quotes.
void appendQuoted(std::string& out, std::string_view part)
{
    std::size_t from = 0;
    for (std::size_t at = 0; at < part.size(); ++at) {
        if (part[at] == '"') {
            out.append(part.substr(from, at + 1 - from));
            out += '"';
            from = at + 1;
        }
    }
    out.append(part.substr(from));
}

// The comma text of the magic items and the ability field, written straight into `out`
// instead of through a list of strings: the bytes joinCommaText gives for that list. A magic
// item always holds a blank, so it is always quoted.
void appendAbilities(std::string& out, const CellFields& f, const CellWords& words)
{
    // The magic rows and the ability field follow each other: read in one pass.
    std::array<std::string_view, FieldAbility - FieldMagic1Kind + 1> run;
    f.run(FieldMagic1Kind, run);
    auto field = [&](int index) { return run[static_cast<std::size_t>(index - FieldMagic1Kind)]; };
    bool anyMagic = false;
    for (int kind : kMagics) {
        const std::string_view magic = field(kind);
        if (magic.empty())
            continue;
        anyMagic = true;
        out += '"';
        appendQuoted(out, magic);
        out += ' ';
        appendQuoted(out, field(kind + 1));
        appendQuoted(out, words.slash);
        appendQuoted(out, field(kind + 2));
        out += "\",";
    }
    // The ability field is always an item, so a record with nothing shows two quotes.
    const std::string_view ability = field(FieldAbility);
    if (ability.empty() ? !anyMagic : needsQuotes(ability)) {
        out += '"';
        appendQuoted(out, ability);
        out += '"';
    } else {
        out.append(ability);
    }
}

// Blanks alone split into no item at all.
bool holdsCommaItems(std::string_view text)
{
    std::vector<std::string> none;
    return !splitCommaTextAtMost(text, 0, none);
}

unsigned char foldLetter(unsigned char byte)
{
    return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

std::string listCell(std::string_view name, CellFields fields, int column, const CellWords& words)
{
    std::string cell;
    appendListCell(cell, name, fields, column, words);
    return cell;
}

void appendListCell(std::string& out, std::string_view name, CellFields fields, int column,
                    const CellWords& words)
{
    const CellFields& f = fields;
    const std::string_view slash = words.slash;
    const std::string_view hyphen = words.hyphen;
    // Each field is read once: reading one from a stored record is not free.
    auto withOptional = [&](int field, std::string_view joint, int optional) {
        out.append(f[field]);
        if (const std::string_view extra = f[optional]; !extra.empty())
            append(out, {joint, extra});
    };
    switch (column) {
    case 0:
        out.append(name);
        break;
    case 1:
        out.append(f[FieldClassify]);
        break;
    case 2:
        out.append(f[FieldLevel]);
        break;
    case 3:
        withOptional(FieldCelebrity, ",", FieldCelebrityQualifier);
        break;
    case 4:
        out.append(f[FieldDex]);
        break;
    case 5:
        append(out, {f[FieldMainSpeed], "(", f[FieldMainMovement], ")"});
        if (const std::string_view sub = f[FieldSubMovement]; !sub.empty())
            append(out, {slash, f[FieldSubSpeed], "(", sub, ")"});
        break;
    case 6:
        withOptional(FieldCountLow, hyphen, FieldCountHigh);
        break;
    case 7:
        out.append(f[FieldFrequency]);
        break;
    case 8:
        out.append(f[FieldInt]);
        break;
    case 9:
        withOptional(FieldReaction, hyphen, FieldReaction2);
        break;
    case 10:
        appendAttack(out, f[FieldAttack1Method], f, FieldAttack1Method, words);
        break;
    case 11:
    case 12: {
        const int first = kLaterAttacks[static_cast<std::size_t>(column - 11)];
        if (const std::string_view method = f[first]; !method.empty())
            appendAttack(out, method, f, first, words);
        break;
    }
    case 13:
        append(out, {f[FieldDodge], slash, f[FieldPrevent]});
        break;
    case 14:
        append(out, {f[FieldHP], slash, f[FieldHPResist]});
        break;
    case 15:
        append(out, {f[FieldSP], slash, f[FieldSPResist]});
        break;
    case 16:
        appendAbilities(out, f, words);
        break;
    case 17:
        out.append(f[FieldHabitat]);
        break;
    case 18:
        out.append(f[FieldLanguage]);
        break;
    case 19:
        out.append(f[FieldSense]);
        if (const std::string_view subs = f[FieldSubSenses]; holdsCommaItems(subs))
            append(out, {hyphen, subs});
        break;
    default:
        throw std::out_of_range("list column " + std::to_string(column));
    }
}

int listColumnOfField(int field)
{
    // Column by column, the first field each cell shows; a cell shows the fields up to the
    // next cell's first.
    constexpr int kFirstFields[kListColumnCount] = {
        -1,
        FieldClassify,
        FieldLevel,
        FieldCelebrity,
        FieldDex,
        FieldMainSpeed,
        FieldCountLow,
        FieldFrequency,
        FieldInt,
        FieldReaction,
        FieldAttack1Method,
        FieldAttack2Method,
        FieldAttack3Method,
        FieldDodge,
        FieldHP,
        FieldSP,
        FieldMagic1Kind,
        FieldHabitat,
        FieldLanguage,
        FieldSense,
    };
    if (field < 0 || field > FieldSubSenses)
        return -1;
    int column = 1;
    while (column + 1 < kListColumnCount && kFirstFields[column + 1] <= field)
        ++column;
    return column;
}

bool listShowsField(const CellFields& f, int field)
{
    switch (field) {
    case FieldSubSpeed:
        return !f[FieldSubMovement].empty();
    case FieldAttack2Hit:
    case FieldAttack2Damage:
        return !f[FieldAttack2Method].empty();
    case FieldAttack3Hit:
    case FieldAttack3Damage:
        return !f[FieldAttack3Method].empty();
    case FieldMagic1Level:
    case FieldMagic1Power:
        return !f[FieldMagic1Kind].empty();
    case FieldMagic2Level:
    case FieldMagic2Power:
        return !f[FieldMagic2Kind].empty();
    case FieldMagic3Level:
    case FieldMagic3Power:
        return !f[FieldMagic3Kind].empty();
    case FieldSubSenses:
        return holdsCommaItems(f[FieldSubSenses]);
    default:
        return listColumnOfField(field) >= 0;
    }
}

int compareListText(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int difference = foldLetter(static_cast<unsigned char>(a[i])) -
                               foldLetter(static_cast<unsigned char>(b[i]));
        if (difference != 0)
            return difference;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::int64_t leadingNumber(std::string_view cell)
{
    return readLeadingNumber(cell).value;
}

int compareListCells(std::string_view a, std::string_view b, int column, int direction)
{
    const int dir = sign(direction);
    if (column != 0) {
        const std::int64_t numberA = leadingNumber(a);
        const std::int64_t numberB = leadingNumber(b);
        // Compared, not subtracted: the difference of two saturated numbers overflows.
        if (numberA != numberB)
            return (numberA < numberB ? -1 : 1) * dir;
    }
    return sign(compareListText(a, b)) * dir;
}

} // namespace grimtally
