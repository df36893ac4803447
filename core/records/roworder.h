// Which slot each row of the main list shows, and the header-click sort cycle. With a find
// filter only the new-entry row and the kept records are shown, in the order all rows have.
#pragma once

#include "core/records/sortkeys.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace grimtally {

class RowOrder {
public:
    // Row 0 is the new-entry row (slot 0); rows 1..n show slots 1..n in slot order. The
    // filter goes: the slots it was made for are gone.
    void reset(int slotCount);
    // The rows shown: all, or the new-entry row and the kept records.
    int rowCount() const { return static_cast<int>(shown().size()); }
    int slotOfRow(int row) const { return shown().at(static_cast<std::size_t>(row)); }
    int rowOfSlot(int slot) const; // -1 if no row shows it

    // Rows 1..n in slot order again, showing the same records: the sort cycle came back.
    void toSlotOrder();
    // Shows only the records whose kept[slot] is not 0 (one byte for every slot), and the
    // new-entry row, in the order of all rows; showAll() brings every row back.
    void showOnly(std::vector<std::uint8_t> kept);
    void showAll();
    bool filtered() const { return filtered_; }
    // Whether a record's row is shown (not for slots beyond the order's).
    bool shows(int slot) const;

    int sortColumn() const { return sortColumn_; }
    int sortDirection() const { return sortDirection_; }
    // The direction the rows are shown in by the sort column: 0 in slot order, which a
    // reset brings back while the sort cycle itself goes on.
    int shownSortDirection() const { return sorted_ ? sortDirection_ : 0; }

    // A header click: sets the column and advances the direction 0 -> 1 -> -1 -> 0.
    // Returns true when it came back to 0, where the rows go back to slot order.
    bool advanceSort(int column);

    // Stable sort of rows 1..n of all rows; `compare(slotA, slotB)` answers like
    // compareListCells. The shown rows follow, in their new order.
    template <typename Compare> void sortRecordRows(Compare compare);

    // The header-click sort of all rows 1..n by the sort column in the sort direction, in the
    // order sortRecordRows gives with compareListCells. `appendCell(slot, out)` appends the
    // cell of `slot` to `out`; it is called once per row, in slot order, so that the records
    // are read front to back whatever order the rows are in, and again for rows whose
    // beginnings tie. From SortKeys::kTwoThreadRows rows on it is called from two threads
    // at once, for different slots.
    template <typename AppendCell> void sortByCells(AppendCell appendCell);

private:
    const std::vector<int>& shown() const { return filtered_ ? shownSlots_ : slots_; }
    void pickShown();

    std::vector<int> slots_{0}; // every row, whether shown or not
    bool filtered_ = false;
    std::vector<std::uint8_t> kept_; // by slot, while filtered
    std::vector<int> shownSlots_;    // the rows shown, while filtered
    int sortColumn_ = 0;
    int sortDirection_ = 0;
    bool sorted_ = false; // the rows are in the order of the sort cycle, not slot order
};

} // namespace grimtally

#include <algorithm>

template <typename Compare> void grimtally::RowOrder::sortRecordRows(Compare compare)
{
    std::stable_sort(slots_.begin() + 1, slots_.end(),
                     [&](int a, int b) { return compare(a, b) < 0; });
    pickShown();
}

template <typename AppendCell> void grimtally::RowOrder::sortByCells(AppendCell appendCell)
{
    sorted_ = sortDirection_ != 0;
    // With no direction every cell compares equal, and the rows stay as they are.
    if (sortDirection_ == 0 || slots_.size() < 3)
        return;
    SortKeys::sortRows(std::span<int>(slots_).subspan(1), sortColumn_ != 0, sortDirection_,
                       CellSource(appendCell));
    pickShown();
}
