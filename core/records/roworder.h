// Which slot each row of the main list shows, and the header-click sort cycle.
#pragma once

#include <vector>

namespace grimtally {

class RowOrder {
public:
    // Row 0 is the new-entry row (slot 0); rows 1..n show slots 1..n in slot order.
    void reset(int slotCount);
    int rowCount() const { return static_cast<int>(slots_.size()); }
    int slotOfRow(int row) const { return slots_.at(row); }
    int rowOfSlot(int slot) const; // -1 if no row shows it

    int sortColumn() const { return sortColumn_; }
    int sortDirection() const { return sortDirection_; }

    // A header click: sets the column and advances the direction 0 -> 1 -> -1 -> 0.
    // Returns true when it came back to 0, where the rows go back to slot order.
    bool advanceSort(int column);

    // Stable sort of rows 1..n; `compare(slotA, slotB)` answers like compareListCells.
    template <typename Compare>
    void sortRecordRows(Compare compare);

private:
    std::vector<int> slots_{0};
    int sortColumn_ = 0;
    int sortDirection_ = 0;
};

} // namespace grimtally

#include <algorithm>

template <typename Compare>
void grimtally::RowOrder::sortRecordRows(Compare compare)
{
    std::stable_sort(slots_.begin() + 1, slots_.end(),
                     [&](int a, int b) { return compare(a, b) < 0; });
}
