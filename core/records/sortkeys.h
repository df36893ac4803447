// The header-click sort of the main list by one column's cells. Each row's cell is read once
// into a key of its first twenty bytes, the rows are sorted by radix in place, and only the
// rows whose keys tie are read again for their next bytes: a million rows cost 24 bytes
// each while they are sorted, not a copy of their cells.
#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace grimtally {

// Makes the cell of a slot, appended to `out`. Called from two threads at once, for
// different slots.
class CellSource {
public:
    template <typename AppendCell>
    explicit CellSource(const AppendCell& appendCell)
        : context_(&appendCell), call_([](const void* context, int slot, std::string& out) {
              (*static_cast<const AppendCell*>(context))(slot, out);
          })
    {}
    void operator()(int slot, std::string& out) const { call_(context_, slot, out); }

private:
    const void* context_;
    void (*call_)(const void*, int, std::string&);
};

class SortKeys {
public:
    // From this many rows on, keys are made and sorted on two threads.
    static constexpr std::size_t kTwoThreadRows = std::size_t{1} << 16;

    // Sorts `rows` (every slot of a range once, in the order shown) as compareListCells
    // orders their cells in `direction` (1 or -1), cells that compare equal in the order they
    // had. `numbersFirst`: the cells sort by their leading number before their text, as
    // every column but the name does. The cells are asked for in slot order, so that the
    // records are read front to back whatever order the rows are in.
    static void sortRows(std::span<int> rows, bool numbersFirst, int direction,
                         const CellSource& cells);
};

} // namespace grimtally
