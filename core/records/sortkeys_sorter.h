// The inside of SortKeys, shared by the files that make the keys, sort them by radix and
// share the work between two threads: the item a row is sorted as, how its key is read, and
// the sorter.
#pragma once

#include "core/records/sortkeys.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace grimtally::sortkeys {

// Leaves new elements of trivial types as they are instead of zeroing them: the items are
// written whole by their threads, so zeros written first would be one pass too many.
template <typename T> struct UninitializedAllocator : std::allocator<T> {
    template <typename U> struct rebind {
        using other = UninitializedAllocator<U>;
    };
    UninitializedAllocator() = default;
    template <typename U> UninitializedAllocator(const UninitializedAllocator<U>&) {}
    template <typename U> void construct(U* place) { ::new (static_cast<void*>(place)) U; }
    template <typename U, typename... Args> void construct(U* place, Args&&... args)
    {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};

// A row while it is sorted. A cell's key is its leading number (where the numbers differ)
// in four or eight big-endian bytes, biased so that their order is the signed order, then
// its text with a..z as A..Z: compared byte by byte, the shorter first where one begins the
// other, it orders the cells as compareListCells does. The first round reads twenty bytes
// of the key; each later one, for the rows still tied, the next sixteen and the length.
struct Item {
    std::array<std::uint32_t, 5> key; // big-endian words, the first the most significant
    std::uint32_t place;              // the row's position before the sort, and kGoesOn
};
static_assert(sizeof(Item) == 24);

using Items = std::vector<Item, UninitializedAllocator<Item>>;

// The key goes on past what the round read (or, in the first round, holds a NUL byte
// there, which the padding of a shorter key would equal): ties go to the next round.
constexpr std::uint32_t kGoesOn = 0x80000000u;
constexpr std::uint32_t kPositionMask = ~kGoesOn;
constexpr std::size_t kFirstRoundBytes = 20;
constexpr std::size_t kLaterRoundBytes = 16;
// The digits of an item, most significant first: twenty of the key, the goes-on bit, four
// of the position.
constexpr int kGoesOnDigit = 20;
constexpr int kDigits = 25;
constexpr std::ptrdiff_t kInsertionRun = 24;
// Up to this size a run is sorted by comparison: a pass of the radix costs its 256 buckets.
constexpr std::ptrdiff_t kComparisonRun = 64;
// Runs still tied after this many rounds of sixteen bytes more, of cells alike far into
// them, are sorted by their whole cells where they are this short, rather than by rounds
// on rounds.
constexpr int kKeyedRounds = 4;
constexpr std::ptrdiff_t kWholeCellRun = 256;
// Rows keyed again at a time, in slot order: 2 MB of room at the most.
constexpr std::size_t kRekeyBatch = std::size_t{1} << 17;

struct Layout {
    bool numbersFirst;
    std::size_t numberBytes; // 0 for the name, or where every cell has the same number; else
                             // 4, or 8 when some number needs them
    std::int64_t number;     // that same number, where numberBytes is 0
    int direction;
    std::uint32_t flip; // every bit of the key and of kGoesOn when descending
};

// The key's words from byte `offset` (a multiple of four) on: the biased number where the
// key has it, then the text folded, zeros past its end.
void keyWords(std::string_view cell, std::int64_t number, std::size_t offset, const Layout& layout,
              std::span<std::uint32_t> words);
// The first round's key of a cell; false when its number does not fit the layout.
bool firstKey(std::string_view cell, std::uint32_t position, const Layout& layout, Item& item);
// The key of a later round: sixteen bytes from `offset` of the key on, then its length.
void laterKey(std::string_view cell, std::size_t offset, const Layout& layout, Item& item);
// Where round `round` begins to read the key.
std::size_t roundOffset(int round);

// Sorts runs of items by radix in place and reads the cells of tied rows again. Each
// thread has its own.
class Sorter {
public:
    Sorter(const Layout& layout, std::span<const int> rows, const CellSource& cells)
        : layout_(layout), rows_(rows), cells_(cells)
    {}

    // Sorts a run whose items agree on the digits before `digit`.
    void sortRun(Item* first, Item* last, int digit);
    // Puts the runs that tie on what the first round read, and go on, in order by what
    // follows.
    void resolveTies(Item* first, Item* last);
    // One pass of the radix at `digit` (or the first digit from it on in which the items
    // differ): calls part(first, last, nextDigit) for each bucket of two or more items.
    // False when every digit left is alike.
    template <typename Part> bool split(Item* first, Item* last, int digit, Part part);

private:
    unsigned digitOf(const Item& item, int digit) const
    {
        if (digit < kGoesOnDigit) {
            const std::uint32_t word = item.key[static_cast<std::size_t>(digit / 4)] ^ layout_.flip;
            return (word >> (24 - 8 * (digit % 4))) & 0xFF;
        }
        if (digit == kGoesOnDigit)
            return ((item.place ^ (layout_.flip & kGoesOn)) >> 31) & 1;
        return ((item.place & kPositionMask) >> (24 - 8 * (digit - kGoesOnDigit - 1))) & 0xFF;
    }
    bool less(const Item& a, const Item& b) const
    {
        for (std::size_t word = 0; word < a.key.size(); ++word) {
            if (a.key[word] != b.key[word])
                return (a.key[word] ^ layout_.flip) < (b.key[word] ^ layout_.flip);
        }
        const std::uint32_t onA = (a.place ^ layout_.flip) & kGoesOn;
        const std::uint32_t onB = (b.place ^ layout_.flip) & kGoesOn;
        if (onA != onB)
            return onA < onB;
        return (a.place & kPositionMask) < (b.place & kPositionMask);
    }
    static bool tied(const Item& a, const Item& b)
    {
        return a.key == b.key && ((a.place ^ b.place) & kGoesOn) == 0;
    }
    int slotOf(const Item& item) const
    {
        return rows_[static_cast<std::size_t>(item.place & kPositionMask)];
    }
    void sortWholeCells(Item* first, Item* last);

    const Layout& layout_;
    std::span<const int> rows_;
    const CellSource& cells_;
    std::string cell_;
    std::vector<std::pair<std::uint32_t, Item*>> bySlot_;
    std::vector<std::string> wholeCells_;
    std::vector<std::uint32_t> order_;
    std::vector<Item> reordered_;
};

template <typename Part> bool Sorter::split(Item* first, Item* last, int digit, Part part)
{
    // The digits in which some items differ, found in one pass: counting each digit alike
    // in all of them would take a pass each.
    std::array<std::uint32_t, 6> any{}, all;
    all.fill(~std::uint32_t{0});
    for (const Item* item = first; item < last; ++item) {
        for (std::size_t word = 0; word < 5; ++word) {
            any[word] |= item->key[word];
            all[word] &= item->key[word];
        }
        any[5] |= item->place;
        all[5] &= item->place;
    }
    const auto varies = [&](int at) {
        const std::size_t word = at < kGoesOnDigit ? static_cast<std::size_t>(at / 4) : 5;
        const std::uint32_t differ = any[word] ^ all[word];
        if (at < kGoesOnDigit)
            return ((differ >> (24 - 8 * (at % 4))) & 0xFF) != 0;
        if (at == kGoesOnDigit)
            return (differ & kGoesOn) != 0;
        return (((differ & kPositionMask) >> (24 - 8 * (at - kGoesOnDigit - 1))) & 0xFF) != 0;
    };
    for (; digit < kDigits; ++digit) {
        if (!varies(digit))
            continue;
        // Rows alike up to the goes-on bit that go on stay together: their next round puts
        // them in order, not their positions.
        if (digit > kGoesOnDigit && (first->place & kGoesOn) != 0)
            return false;
        std::array<std::size_t, 256> counts{};
        for (const Item* item = first; item < last; ++item)
            ++counts[digitOf(*item, digit)];
        std::array<std::size_t, 256> next{};
        std::array<std::size_t, 256> ends{};
        std::size_t sum = 0;
        for (std::size_t bucket = 0; bucket < 256; ++bucket) {
            next[bucket] = sum;
            sum += counts[bucket];
            ends[bucket] = sum;
        }
        // Each item straight to its bucket, the one it displaces on to the next.
        for (std::size_t bucket = 0; bucket < 256; ++bucket) {
            while (next[bucket] < ends[bucket]) {
                Item item = first[next[bucket]];
                unsigned to = digitOf(item, digit);
                while (to != bucket) {
                    std::swap(item, first[next[to]++]);
                    to = digitOf(item, digit);
                }
                first[next[bucket]++] = item;
            }
        }
        std::size_t begin = 0;
        for (std::size_t bucket = 0; bucket < 256; ++bucket) {
            if (ends[bucket] - begin > 1)
                part(first + begin, first + ends[bucket], digit + 1);
            begin = ends[bucket];
        }
        return true;
    }
    return false;
}

// Sorts the items on two threads when `two` (one else), the ties read again through `cells`.
void sortItems(Items& items, const Layout& layout, std::span<const int> rows,
               const CellSource& cells, bool two);

} // namespace grimtally::sortkeys
