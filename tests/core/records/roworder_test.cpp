#include "core/records/listcells.h"
#include "core/records/recordstore.h"
#include "core/records/roworder.h"
#include "test_records.h"

#include <gtest/gtest.h>

namespace grimtally {
namespace {

using test::slotsInRowOrder;

// Sorts the rows as the list does: by the cells of the sort column, in its direction.
void sortBy(RowOrder& rows, const RecordStore& store)
{
    const int column = rows.sortColumn();
    const int direction = rows.sortDirection();
    auto cell = [&](int slot) {
        return listCell(store.name(slot), store.fields(slot), column, CellWords());
    };
    rows.sortRecordRows(
        [&](int a, int b) { return compareListCells(cell(a), cell(b), column, direction); });
}

TEST(RowOrder, ResetShowsSlotOrderWithTheNewEntryRowFirst)
{
    RowOrder rows;
    EXPECT_EQ(slotsInRowOrder(rows), std::vector<int>{0});
    rows.reset(4);
    EXPECT_EQ(slotsInRowOrder(rows), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(rows.rowOfSlot(3), 3);
    EXPECT_EQ(rows.rowOfSlot(4), -1);
    rows.reset(0);
    EXPECT_EQ(slotsInRowOrder(rows), std::vector<int>{0});
    EXPECT_THROW(rows.slotOfRow(1), std::out_of_range);
}

TEST(RowOrder, HeaderClicksCycleOneDirectionForAllColumns)
{
    RowOrder rows;
    EXPECT_EQ(rows.sortDirection(), 0);
    EXPECT_FALSE(rows.advanceSort(2));
    EXPECT_EQ(rows.sortDirection(), 1);
    EXPECT_FALSE(rows.advanceSort(5));
    EXPECT_EQ(rows.sortColumn(), 5);
    EXPECT_EQ(rows.sortDirection(), -1);
    EXPECT_TRUE(rows.advanceSort(0));
    EXPECT_EQ(rows.sortDirection(), 0);
    EXPECT_EQ(rows.sortColumn(), 0);

    // A rebuild in between does not restart the cycle, but shows slot order until the
    // next sort.
    auto noCells = [](int, std::string&) {};
    EXPECT_FALSE(rows.advanceSort(1));
    rows.reset(3);
    rows.sortByCells(noCells);
    EXPECT_EQ(rows.shownSortDirection(), 1);
    rows.reset(3);
    EXPECT_EQ(rows.shownSortDirection(), 0);
    EXPECT_FALSE(rows.advanceSort(1));
    EXPECT_EQ(rows.sortDirection(), -1);
    rows.sortByCells(noCells);
    EXPECT_EQ(rows.shownSortDirection(), -1);

    EXPECT_THROW(rows.advanceSort(kListColumnCount), std::out_of_range);
    EXPECT_THROW(rows.advanceSort(-1), std::out_of_range);
    EXPECT_EQ(rows.sortColumn(), 1);
}

TEST(RowOrder, SortIsStableAndRowsKeepTheirSlots)
{
    RecordStore store;
    for (auto [name, level] : {std::pair{"A", "3"}, {"B", "1"}, {"C", "3"}, {"D", "2"}, {"E", "1"}})
        store.append(test::levelRecord(name, level));
    RowOrder rows;
    rows.reset(store.slotCount());

    ASSERT_FALSE(rows.advanceSort(2));
    sortBy(rows, store);
    EXPECT_EQ(slotsInRowOrder(rows), (std::vector<int>{0, 2, 5, 4, 1, 3}));
    EXPECT_EQ(rows.rowOfSlot(4), 3);

    // Descending, from the ascending order: equal levels keep their order.
    ASSERT_FALSE(rows.advanceSort(2));
    sortBy(rows, store);
    EXPECT_EQ(slotsInRowOrder(rows), (std::vector<int>{0, 1, 3, 4, 2, 5}));

    // Third click: back to slot order; sorting with no direction keeps it.
    ASSERT_TRUE(rows.advanceSort(2));
    rows.reset(store.slotCount());
    sortBy(rows, store);
    EXPECT_EQ(slotsInRowOrder(rows), (std::vector<int>{0, 1, 2, 3, 4, 5}));

    // By name: "b" folds to "B" and goes after "AB", before "C".
    store.overwrite(1, test::levelRecord("b", "3"));
    store.overwrite(2, test::levelRecord("AB", "1"));
    ASSERT_FALSE(rows.advanceSort(0));
    sortBy(rows, store);
    EXPECT_EQ(slotsInRowOrder(rows), (std::vector<int>{0, 2, 1, 3, 4, 5}));
}

// A filter shows the new-entry row and the kept records in the order of all rows; a sort
// orders all rows, so the shown ones come sorted and the full list is sorted too when the
// filter goes.
TEST(RowOrder, AFilterShowsTheKeptRowsInTheOrderOfAll)
{
    RecordStore store;
    for (auto [name, level] : {std::pair{"A", "3"}, {"B", "1"}, {"C", "3"}, {"D", "2"}, {"E", "1"}})
        store.append(test::levelRecord(name, level));
    RowOrder rows;
    rows.reset(store.slotCount());
    rows.showOnly({0, 1, 0, 1, 0, 1}); // the new-entry row stays without being asked for
    EXPECT_TRUE(rows.filtered());
    EXPECT_EQ(slotsInRowOrder(rows), (std::vector<int>{0, 1, 3, 5}));
    EXPECT_EQ(rows.rowOfSlot(5), 3);
    EXPECT_EQ(rows.rowOfSlot(2), -1);
    EXPECT_TRUE(rows.shows(3) && !rows.shows(4) && rows.shows(0) && !rows.shows(6));

    ASSERT_FALSE(rows.advanceSort(2));
    rows.sortByCells([&](int slot, std::string& cell) { cell += store.fields(slot)[FieldLevel]; });
    EXPECT_EQ(slotsInRowOrder(rows), (std::vector<int>{0, 5, 1, 3}));
    RowOrder cycled = rows; // the third click: slot order, the same rows shown
    cycled.toSlotOrder();
    EXPECT_EQ(slotsInRowOrder(cycled), (std::vector<int>{0, 1, 3, 5}));
    rows.showAll();
    EXPECT_EQ(slotsInRowOrder(rows), (std::vector<int>{0, 2, 5, 4, 1, 3}));

    rows.showOnly({0, 0, 1, 0, 0, 0});
    EXPECT_EQ(slotsInRowOrder(rows), (std::vector<int>{0, 2}));
    rows.reset(store.slotCount()); // the slots changed: every row again, in slot order
    EXPECT_FALSE(rows.filtered());
    EXPECT_EQ(rows.rowCount(), 6);
    EXPECT_THROW(rows.showOnly({1, 1}), std::invalid_argument);
}

} // namespace
} // namespace grimtally
