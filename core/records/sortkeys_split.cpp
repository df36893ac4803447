// The two-thread sort of many rows: the items parted by their first bytes on one thread
// until no part holds more than a quarter of them, then the parts shared out between two.
#include "core/records/sortkeys_sorter.h"
#include "core/records/twoparts.h"

#include <algorithm>
#include <atomic>

namespace grimtally::sortkeys {

void sortItems(Items& items, const Layout& layout, std::span<const int> rows,
               const CellSource& cells, bool two)
{
    const std::size_t count = items.size();
    // The two threads take the parts, the largest first. A part never parts rows that tie up to
    // the goes-on bit, as they go on to the next round together.
    struct Part {
        Item* first;
        Item* last;
        int digit;
    };
    std::vector<Part> parts;
    {
        Sorter sorter(layout, rows, cells);
        std::vector<Part> pending{{items.data(), items.data() + count, 0}};
        const std::ptrdiff_t quarter = two ? static_cast<std::ptrdiff_t>(count / 4) : 0;
        while (!pending.empty()) {
            const Part part = pending.back();
            pending.pop_back();
            if (part.last - part.first <= quarter || part.digit > kGoesOnDigit ||
                part.last - part.first <= kInsertionRun ||
                !sorter.split(part.first, part.last, part.digit,
                              [&](Item* from, Item* to, int next) {
                                  pending.push_back({from, to, next});
                              }))
                parts.push_back(part);
        }
    }
    std::sort(parts.begin(), parts.end(),
              [](const Part& a, const Part& b) { return a.last - a.first > b.last - b.first; });
    std::atomic<std::size_t> nextPart{0};
    inTwoParts(two, [&](int) {
        Sorter sorter(layout, rows, cells);
        for (std::size_t i = nextPart++; i < parts.size(); i = nextPart++) {
            sorter.sortRun(parts[i].first, parts[i].last, parts[i].digit);
            sorter.resolveTies(parts[i].first, parts[i].last);
        }
    });
}

} // namespace grimtally::sortkeys
