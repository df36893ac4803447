// The keys of a header-click sort: each row's cell read once into a number and folded text,
// held together so that sorting reads these arrays instead of looking up cells.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace grimtally {

class SortKeys {
public:
    // `numbersFirst`: cells sort by their leading number before their text, as every column
    // but the name does. `rows`: how many cells will be added.
    SortKeys(bool numbersFirst, std::size_t rows);

    // The cell of the record in `slot`, shown at `position` (0 .. rows - 1) before the sort.
    // Cells may come in any order, each position once.
    void add(std::string_view cell, int slot, std::size_t position);

    // The slots in the order compareListCells gives for `direction` (1 or -1), cells that
    // compare equal in the order of their positions; 0 keeps that order.
    std::vector<int> sortedSlots(int direction);

private:
    // The key is read four bytes at a time: the number when numbers come first, then the
    // folded text, big-endian and zero past its end.
    std::uint32_t word(std::size_t entry, std::size_t index) const;
    void sortByWord(std::uint64_t* first, std::uint64_t* last);

    bool numbersFirst_;
    // Numbers are biased, so that their unsigned order is the signed order.
    std::uint64_t lowestNumber_ = ~std::uint64_t{0};
    std::uint64_t highestNumber_ = 0;
    // Words the numbers take: none when they are all equal, one when they lie within 2^32 of
    // each other (counted from the lowest), else two.
    std::size_t numberWords_ = 0;
    // By entry, in the order the cells were added, each in an array of its own so that the
    // words a sort reads at random lie close together: the number, the first sixteen folded
    // bytes as four words, the length, where the rest begins in tails_, the slot, the
    // position.
    std::vector<std::uint64_t> numbers_;
    std::array<std::vector<std::uint32_t>, 4> heads_;
    std::vector<std::uint32_t> lengths_;
    std::vector<std::size_t> tailBegins_;
    std::vector<int> slots_;
    std::string tails_; // the folded bytes of every cell after its sixteenth, one after another
    std::vector<std::uint32_t> positions_;
    std::size_t rows_;
    std::vector<std::uint64_t> scratch_;
};

} // namespace grimtally
