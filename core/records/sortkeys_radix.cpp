// The radix sort of the items in place, and the rows whose keys tie read again for their
// next bytes.
#include "core/records/listcells.h"
#include "core/records/sortkeys_sorter.h"

#include <algorithm>
#include <numeric>

namespace grimtally::sortkeys {

void Sorter::sortRun(Item* first, Item* last, int digit)
{
    if (last - first <= kInsertionRun) {
        for (Item* next = first + 1; next < last; ++next) {
            const Item item = *next;
            Item* place = next;
            for (; place > first && less(item, place[-1]); --place)
                *place = place[-1];
            *place = item;
        }
        return;
    }
    // Past the goes-on bit only positions are left: a run that goes on is put in order by
    // its next round instead.
    if (digit > kGoesOnDigit && (first->place & kGoesOn) != 0)
        return;
    if (last - first <= kComparisonRun) {
        std::sort(first, last, [this](const Item& a, const Item& b) { return less(a, b); });
        return;
    }
    split(first, last, digit, [this](Item* from, Item* to, int next) { sortRun(from, to, next); });
}

void Sorter::resolveTies(Item* first, Item* last)
{
    // The runs that tie on what the round read and go on, all a round further each time.
    // Their cells are read again in slot order, front to back in the store, as a read in
    // the rows' order would wait on the memory at every row.
    struct Run {
        Item* first;
        Item* last;
    };
    std::vector<Run> runs;
    const auto addTies = [&](Item* from, Item* to) {
        for (Item* same = from; same < to;) {
            Item* end = same + 1;
            while (end < to && tied(*end, *same))
                ++end;
            if (end - same > 1 && (same->place & kGoesOn) != 0)
                runs.push_back({same, end});
            same = end;
        }
    };
    addTies(first, last);
    for (int round = 1; !runs.empty(); ++round) {
        std::vector<Run> tied = std::exchange(runs, {});
        if (round > kKeyedRounds) {
            // Cells alike far into them: a few rows are sorted by their whole cells at once.
            std::erase_if(tied, [&](const Run& run) {
                if (run.last - run.first > kWholeCellRun)
                    return false;
                sortWholeCells(run.first, run.last);
                return true;
            });
        }
        // The items to key again, in slot order; in batches, so that a run of many rows
        // alike asks for no great room.
        std::size_t done = 0;
        std::size_t total = 0;
        for (const Run& run : tied)
            total += static_cast<std::size_t>(run.last - run.first);
        const std::size_t offset = roundOffset(round);
        std::size_t runAt = 0;
        Item* itemAt = tied.empty() ? nullptr : tied[0].first;
        while (done < total) {
            bySlot_.clear();
            while (bySlot_.size() < kRekeyBatch && runAt < tied.size()) {
                bySlot_.push_back({static_cast<std::uint32_t>(slotOf(*itemAt)), itemAt});
                if (++itemAt == tied[runAt].last && ++runAt < tied.size())
                    itemAt = tied[runAt].first;
            }
            std::sort(bySlot_.begin(), bySlot_.end(),
                      [](const auto& a, const auto& b) { return a.first < b.first; });
            for (const auto& [slot, item] : bySlot_) {
                cell_.clear();
                cells_(static_cast<int>(slot), cell_);
                laterKey(cell_, offset, layout_, *item);
            }
            done += bySlot_.size();
        }
        for (const Run& run : tied) {
            sortRun(run.first, run.last, 0);
            addTies(run.first, run.last);
        }
    }
}

// Equal numbers and beginnings: the whole texts decide, then the positions.
void Sorter::sortWholeCells(Item* first, Item* last)
{
    const std::size_t count = static_cast<std::size_t>(last - first);
    wholeCells_.resize(count);
    order_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        wholeCells_[i].clear();
        cells_(slotOf(first[i]), wholeCells_[i]);
    }
    std::iota(order_.begin(), order_.end(), 0u);
    std::sort(order_.begin(), order_.end(), [&](std::uint32_t a, std::uint32_t b) {
        const int text = compareListText(wholeCells_[a], wholeCells_[b]) * layout_.direction;
        if (text != 0)
            return text < 0;
        return (first[a].place & kPositionMask) < (first[b].place & kPositionMask);
    });
    reordered_.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        reordered_[i] = first[order_[i]];
    for (std::size_t i = 0; i < count; ++i) {
        first[i] = reordered_[i];
        first[i].place &= kPositionMask; // settled
    }
}

} // namespace grimtally::sortkeys
