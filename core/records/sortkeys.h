// The keys of a header-click sort: each row's cell read once into a number and folded text,
// held together so that sorting reads these arrays instead of looking up cells.
#pragma once

#include "core/records/twoparts.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace grimtally {

// Leaves new elements of trivial types as they are instead of zeroing them: the key arrays
// are written whole by their threads, so zeros written first would be one pass too many.
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
template <typename T> using KeyArray = std::vector<T, UninitializedAllocator<T>>;

class SortKeys {
public:
    // From this many rows on, keys are made and sorted on two threads.
    static constexpr std::size_t kTwoThreadRows = std::size_t{1} << 16;

    // `numbersFirst`: cells sort by their leading number before their text, as every column
    // but the name does. `rows`: how many cells will be set.
    SortKeys(bool numbersFirst, std::size_t rows);

    // Entries 0 .. rows - 1 are set in two parts, entries before `firstOfSecond` in part 0
    // and the rest in part 1; each part may be set by its own thread.
    void splitAt(std::size_t firstOfSecond);
    std::size_t firstOfSecond() const { return firstOfSecond_; }

    // The cell of the record in `slot`, shown at `position` (0 .. rows - 1) before the sort,
    // as entry `entry`. Each entry and each position once.
    void set(std::size_t entry, std::string_view cell, int slot, std::size_t position);

    // The slots in the order compareListCells gives for `direction` (1 or -1), cells that
    // compare equal in the order of their positions; 0 keeps that order.
    std::vector<int> sortedSlots(int direction);

private:
    class Sorter;
    void sortInTwoParts(KeyArray<std::uint64_t>& items, std::uint32_t any, std::uint32_t all,
                        int direction, std::size_t numberWords, std::uint64_t lowest) const;

    bool numbersFirst_;
    std::size_t rows_;
    std::size_t firstOfSecond_;
    // Numbers are biased, so that their unsigned order is the signed order. By entry, each
    // in an array of its own so that the words a sort reads at random lie close together:
    // the number, the first sixteen folded bytes as four words (on one line, as a run that
    // read one of them reads the next soon after), the length, where the rest begins in its
    // part's tails, the slot, the position.
    using Head = std::array<std::uint32_t, 4>;
    KeyArray<std::uint64_t> numbers_;
    KeyArray<Head> heads_;
    KeyArray<std::uint32_t> lengths_;
    KeyArray<std::size_t> tailBegins_;
    KeyArray<int> slots_;
    std::vector<std::uint32_t> positions_;
    // The folded bytes of every cell after its sixteenth, one after another, by part; on
    // lines of their own, as the two threads write them.
    struct alignas(64) Tails {
        std::string bytes;
    };
    std::array<Tails, 2> tails_;
};

} // namespace grimtally
