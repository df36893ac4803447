#include "core/records/roworder.h"

#include "core/records/listcells.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <string>

namespace grimtally {

void RowOrder::reset(int slotCount)
{
    // The new-entry row is there even for a store that somehow reports no slots.
    slots_.resize(static_cast<std::size_t>(std::max(slotCount, 1)));
    std::iota(slots_.begin(), slots_.end(), 0);
    sorted_ = false;
}

int RowOrder::rowOfSlot(int slot) const
{
    const auto found = std::find(slots_.begin(), slots_.end(), slot);
    return found == slots_.end() ? -1 : static_cast<int>(found - slots_.begin());
}

bool RowOrder::advanceSort(int column)
{
    if (column < 0 || column >= kListColumnCount)
        throw std::out_of_range("list column " + std::to_string(column));
    sortColumn_ = column;
    sortDirection_ = sortDirection_ == 0 ? 1 : (sortDirection_ == 1 ? -1 : 0);
    return sortDirection_ == 0;
}

std::vector<int> RowOrder::rowsOfSlots() const
{
    std::vector<int> rows(
        static_cast<std::size_t>(*std::max_element(slots_.begin(), slots_.end())) + 1, -1);
    for (std::size_t row = 0; row < slots_.size(); ++row)
        rows[static_cast<std::size_t>(slots_[row])] = static_cast<int>(row);
    return rows;
}

void RowOrder::takeSorted(SortKeys& keys)
{
    const std::vector<int> sorted = keys.sortedSlots(sortDirection_);
    std::copy(sorted.begin(), sorted.end(), slots_.begin() + 1);
}

} // namespace grimtally
