#include "core/records/listcells.h"
#include "core/records/roworder.h"
#include "test_records.h"

#include <gtest/gtest.h>
#include <random>

namespace grimtally {
namespace {

using test::slotsInRowOrder;

// Cells made of pieces that meet at every place the keys could go wrong: signs, blanks,
// letters either side of the fold, NUL and double-byte bytes, lengths either side of four,
// sixteen and more bytes; and, when `huge`, numbers that saturate.
std::string randomCell(std::mt19937& random, bool huge)
{
    using namespace std::string_literals;
    static const std::string pieces[] = {"",
                                         "0",
                                         "7",
                                         "12",
                                         "-3",
                                         "+5",
                                         " 4",
                                         "-",
                                         "a",
                                         "A",
                                         "z",
                                         "Z",
                                         "_",
                                         "[",
                                         "\xE9",
                                         "\x83\x61",
                                         "\x83\x5c",
                                         "\0"s,
                                         "x",
                                         "X",
                                         "Wo",
                                         "wolf",
                                         "(",
                                         "99999999999999999999",
                                         "-99999999999999999999",
                                         "9223372036854775807"};
    const std::size_t choices = std::size(pieces) - (huge ? 0 : 3);
    std::string cell;
    for (int i = std::uniform_int_distribution<int>(0, 6)(random); i > 0; --i)
        cell += pieces[std::uniform_int_distribution<std::size_t>(0, choices - 1)(random)];
    return cell;
}

// Keys made once must give exactly the order of comparing cells every time, from a
// scrambled start, through both directions of the cycle.
TEST(SortKeys, OrderIsThatOfTheCellComparison)
{
    std::mt19937 random(7);
    // The last three rounds are long enough to be keyed and sorted on two threads; in the
    // very last every cell begins alike, so no first word tells any two apart.
    constexpr int kRounds = 43;
    for (int round = 0; round < kRounds; ++round) {
        const int column = round % 2 == 0 ? 0 : 2;
        const std::size_t rows =
            round < kRounds - 3 ? 1 + round * 10 : SortKeys::kTwoThreadRows + 7;
        // The last rounds' cells begin alike: for a few bytes, or far beyond what the keys
        // read at once.
        const std::string prefix = round == kRounds - 1   ? "Wolf pack "
                                   : round == kRounds - 2 ? std::string(90, 'w')
                                   : round == 3           ? std::string(90, 'w')
                                                          : "";
        std::vector<std::string> cells(1 + rows);
        for (std::size_t slot = 1; slot < cells.size(); ++slot)
            cells[slot] = prefix + randomCell(random, round % 4 < 2);
        auto appendCell = [&](int slot, std::string& out) { out += cells[slot]; };

        RowOrder keyed;
        keyed.reset(static_cast<int>(cells.size()));
        std::vector<unsigned> shuffle(cells.size());
        for (unsigned& place : shuffle)
            place = random();
        keyed.sortRecordRows([&](int a, int b) { return shuffle[a] < shuffle[b] ? -1 : 1; });
        RowOrder compared = keyed;

        for (int click = 0; click < 2; ++click) {
            SCOPED_TRACE(::testing::Message() << "round " << round << " click " << click);
            ASSERT_FALSE(keyed.advanceSort(column));
            ASSERT_FALSE(compared.advanceSort(column));
            const int direction = compared.sortDirection();
            keyed.sortByCells(appendCell);
            compared.sortRecordRows([&](int a, int b) {
                return compareListCells(cells[a], cells[b], column, direction);
            });
            ASSERT_EQ(slotsInRowOrder(keyed), slotsInRowOrder(compared));
        }
    }
}

// A column of words is keyed by its text alone when a sample of its cells all lead with the
// same number; a cell the sample missed that leads with another makes the keys again.
TEST(SortKeys, AColumnOfWordsWithANumberTheSampleMissed)
{
    const std::size_t rows = SortKeys::kTwoThreadRows + 3;
    std::vector<std::string> cells(1 + rows);
    for (std::size_t slot = 1; slot < cells.size(); ++slot)
        cells[slot] = "word " + std::to_string(rows - slot);
    cells[rows / 3 + 1] = "7 words";
    cells[rows / 3 + 2] = "-99999999999999 words"; // and one beyond four bytes
    auto appendCell = [&](int slot, std::string& out) { out += cells[slot]; };
    RowOrder keyed;
    keyed.reset(static_cast<int>(cells.size()));
    RowOrder compared = keyed;
    for (int click = 0; click < 2; ++click) {
        ASSERT_FALSE(keyed.advanceSort(1));
        ASSERT_FALSE(compared.advanceSort(1));
        const int direction = compared.sortDirection();
        keyed.sortByCells(appendCell);
        compared.sortRecordRows(
            [&](int a, int b) { return compareListCells(cells[a], cells[b], 1, direction); });
        ASSERT_EQ(slotsInRowOrder(keyed), slotsInRowOrder(compared));
    }
}

} // namespace
} // namespace grimtally
