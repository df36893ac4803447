#include "core/records/listcells.h"

#include "core/text/commatext.h"

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <stdexcept>
#include <vector>

namespace grimtally {

namespace {

// Reads a field, or nothing when a short field list lacks it.
class Fields {
public:
    explicit Fields(const FieldList& fields) : fields_(fields) {}

    std::string_view operator[](int index) const
    {
        return index < fields_.size() ? fields_[index] : std::string_view();
    }
    bool given(int index) const { return !(*this)[index].empty(); }

private:
    const FieldList& fields_;
};

std::string concat(std::initializer_list<std::string_view> parts)
{
    std::size_t size = 0;
    for (std::string_view part : parts)
        size += part.size();
    std::string result;
    result.reserve(size);
    for (std::string_view part : parts)
        result.append(part);
    return result;
}

// Method, hit and damage of an attack: "Bite-8/2d".
std::string attackCell(const Fields& f, int first, const CellWords& words)
{
    return concat({f[first], words.hyphen, f[first + 1], words.slash, f[first + 2]});
}

std::string abilityCell(const Fields& f, const CellWords& words)
{
    std::vector<std::string> items;
    for (int kind : {FieldMagic1Kind, FieldMagic2Kind, FieldMagic3Kind}) {
        if (f.given(kind))
            items.push_back(concat({f[kind], " ", f[kind + 1], words.slash, f[kind + 2]}));
    }
    // The ability field is always an item, so a record with nothing shows two quotes.
    items.emplace_back(f[FieldAbility]);
    return joinCommaText(std::span<const std::string>(items));
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

std::string listCell(std::string_view name, const FieldList& fields, int column,
                     const CellWords& words)
{
    const Fields f(fields);
    const std::string_view slash = words.slash;
    const std::string_view hyphen = words.hyphen;
    switch (column) {
    case 0:
        return std::string(name);
    case 1:
        return std::string(f[FieldClassify]);
    case 2:
        return std::string(f[FieldLevel]);
    case 3:
        if (f.given(FieldCelebrityQualifier))
            return concat({f[FieldCelebrity], ",", f[FieldCelebrityQualifier]});
        return std::string(f[FieldCelebrity]);
    case 4:
        return std::string(f[FieldDex]);
    case 5: {
        std::string cell = concat({f[FieldMainSpeed], "(", f[FieldMainMovement], ")"});
        if (f.given(FieldSubMovement))
            cell += concat({slash, f[FieldSubSpeed], "(", f[FieldSubMovement], ")"});
        return cell;
    }
    case 6:
        if (f.given(FieldCountHigh))
            return concat({f[FieldCountLow], hyphen, f[FieldCountHigh]});
        return std::string(f[FieldCountLow]);
    case 7:
        return std::string(f[FieldFrequency]);
    case 8:
        return std::string(f[FieldInt]);
    case 9:
        if (f.given(FieldReaction2))
            return concat({f[FieldReaction], hyphen, f[FieldReaction2]});
        return std::string(f[FieldReaction]);
    case 10:
        return attackCell(f, FieldAttack1Method, words);
    case 11:
        return f.given(FieldAttack2Method) ? attackCell(f, FieldAttack2Method, words)
                                           : std::string();
    case 12:
        return f.given(FieldAttack3Method) ? attackCell(f, FieldAttack3Method, words)
                                           : std::string();
    case 13:
        return concat({f[FieldDodge], slash, f[FieldPrevent]});
    case 14:
        return concat({f[FieldHP], slash, f[FieldHPResist]});
    case 15:
        return concat({f[FieldSP], slash, f[FieldSPResist]});
    case 16:
        return abilityCell(f, words);
    case 17:
        return std::string(f[FieldHabitat]);
    case 18:
        return std::string(f[FieldLanguage]);
    case 19:
        // Blanks alone split into no sub-sense at all.
        if (!splitCommaText(f[FieldSubSenses]).empty())
            return concat({f[FieldSense], hyphen, f[FieldSubSenses]});
        return std::string(f[FieldSense]);
    default:
        throw std::out_of_range("list column " + std::to_string(column));
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
    std::size_t i = 0;
    while (i < cell.size() && cell[i] == ' ')
        ++i;
    bool negative = false;
    if (i < cell.size() && (cell[i] == '+' || cell[i] == '-')) {
        negative = cell[i] == '-';
        ++i;
    }
    // Accumulate towards the sign's side so that the lowest value is reachable too.
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    for (; i < cell.size() && cell[i] >= '0' && cell[i] <= '9'; ++i) {
        const int digit = cell[i] - '0';
        if (negative) {
            if (value < (kMin + digit) / 10)
                return kMin;
            value = value * 10 - digit;
        } else {
            if (value > (kMax - digit) / 10)
                return kMax;
            value = value * 10 + digit;
        }
    }
    return value;
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
