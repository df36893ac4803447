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
    showAll();
}

void RowOrder::toSlotOrder()
{
    std::iota(slots_.begin(), slots_.end(), 0);
    sorted_ = false;
    pickShown();
}

int RowOrder::rowOfSlot(int slot) const
{
    const std::vector<int>& rows = shown();
    const auto found = std::find(rows.begin(), rows.end(), slot);
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

void RowOrder::showOnly(std::vector<std::uint8_t> kept)
{
    if (kept.size() < slots_.size())
        throw std::invalid_argument("a kept mark for every slot");
    kept_ = std::move(kept);
    kept_[0] = 1; // the new-entry row always stays
    filtered_ = true;
    pickShown();
}

void RowOrder::showAll()
{
    filtered_ = false;
    kept_ = {};
    shownSlots_ = {};
}

bool RowOrder::shows(int slot) const
{
    if (slot < 0 || static_cast<std::size_t>(slot) >= slots_.size())
        return false;
    return !filtered_ || kept_[static_cast<std::size_t>(slot)] != 0;
}

void RowOrder::pickShown()
{
    if (!filtered_)
        return;
    std::size_t count = 0;
    for (int slot : slots_)
        count += kept_[static_cast<std::size_t>(slot)] != 0 ? 1 : 0;
    // Made anew rather than cleared: a filter that keeps few rows frees the room of one that
    // kept many.
    std::vector<int> rows;
    rows.reserve(count);
    for (int slot : slots_) {
        if (kept_[static_cast<std::size_t>(slot)] != 0)
            rows.push_back(slot);
    }
    shownSlots_ = std::move(rows);
}

bool RowOrder::advanceSort(int column)
{
    if (column < 0 || column >= kListColumnCount)
        throw std::out_of_range("list column " + std::to_string(column));
    sortColumn_ = column;
    sortDirection_ = sortDirection_ == 0 ? 1 : (sortDirection_ == 1 ? -1 : 0);
    return sortDirection_ == 0;
}

} // namespace grimtally
