// What the main list shows for a record, and the comparison its column sort uses.
#pragma once

#include "core/records/record.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace grimtally {

inline constexpr int kListColumnCount = 20;

// The two vocabulary words the cells are joined with (defaults "/" and "-").
struct CellWords {
    std::string slash = "/";
    std::string hyphen = "-";
};

// Cell `column` (0..19) of a record row; column 0 is the name.
std::string listCell(std::string_view name, const FieldList& fields, int column,
                     const CellWords& words);

// Byte-wise comparison with a..z taken as A..Z and nothing else folded; the shorter of
// two texts where one begins the other comes first. Returns <0, 0 or >0.
int compareListText(std::string_view a, std::string_view b);

// The number a cell starts with: leading blanks, an optional sign, then decimal digits up
// to the first other byte; no digits gives 0. Saturates instead of overflowing.
std::int64_t leadingNumber(std::string_view cell);

// The sort comparison for columns 1..19 (numbers first, then text); column 0 compares
// text only. Multiplied by the direction (1 or -1); a negative result puts `a` first.
int compareListCells(std::string_view a, std::string_view b, int column, int direction);

} // namespace grimtally
