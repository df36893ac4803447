#include "core/records/recordstore.h"
#include "test_records.h"

#include <functional>
#include <gtest/gtest.h>

namespace grimtally {
namespace {

using test::levelRecord;

std::vector<std::string> names(const RecordStore& store)
{
    std::vector<std::string> result;
    for (int slot = 0; slot < store.slotCount(); ++slot)
        result.emplace_back(store.name(slot));
    return result;
}

std::vector<EnemyRecord> records(std::initializer_list<const char*> recordNames)
{
    std::vector<EnemyRecord> result;
    for (const char* name : recordNames)
        result.push_back(levelRecord(name, std::string(name) + "-level"));
    return result;
}

RecordStore storeOf(std::initializer_list<const char*> recordNames)
{
    RecordStore store;
    store.replaceFrom(1, records(recordNames));
    return store;
}

TEST(FieldList, HoldsEachFieldExactly)
{
    // A text of 300 bytes takes two bytes for its length.
    const std::vector<std::string> fields{"", "ab", std::string("\0c", 2), std::string(300, 'x'),
                                          "\x83\x5c"};
    const FieldList list = test::fieldList(fields);
    ASSERT_EQ(list.size(), 5);
    for (int i = 0; i < list.size(); ++i)
        EXPECT_EQ(list[i], fields[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(list.toStrings(), fields);

    const std::vector<std::string_view> views{"", "ab", std::string_view("\0c", 2), fields[3],
                                              "\x83\x5c"};
    EXPECT_EQ(FieldList(std::span<const std::string_view>(views)), list);

    EXPECT_THROW(list[5], std::out_of_range);
    EXPECT_THROW(list[-1], std::out_of_range);
    EXPECT_TRUE(FieldList().empty());
}

TEST(FieldList, EqualityLooksAtTheFieldBoundaries)
{
    const std::vector<std::string> ab_c{"ab", "c"};
    const std::vector<std::string> a_bc{"a", "bc"};
    const std::vector<std::string> abc{"abc"};
    EXPECT_FALSE(test::fieldList(ab_c) == test::fieldList(a_bc));
    EXPECT_FALSE(test::fieldList(ab_c) == test::fieldList(abc));
    EXPECT_TRUE(test::fieldList(ab_c) == test::fieldList({"ab", "c"}));
}

TEST(RecordStore, StartsWithTheNewEntrySlotAlone)
{
    RecordStore store;
    EXPECT_EQ(store.slotCount(), 1);
    EXPECT_EQ(store.recordCount(), 0);
    EXPECT_EQ(store.name(0), "");
    EXPECT_TRUE(store.fields(0).empty());

    store.append(levelRecord("Wolf", "3"));
    store.clear();
    EXPECT_EQ(names(store), std::vector<std::string>{""});
}

TEST(RecordStore, OpenReplacesAndMergeAppends)
{
    RecordStore store = storeOf({"A", "B", "C", "D", "E"});

    RecordStore merged = store;
    merged.replaceFrom(merged.slotCount(), records({"X", "Y", "Z"}));
    EXPECT_EQ(names(merged),
              (std::vector<std::string>{"", "A", "B", "C", "D", "E", "X", "Y", "Z"}));
    EXPECT_EQ(merged.fields(5)[FieldLevel], "E-level");
    EXPECT_EQ(merged.fields(8)[FieldLevel], "Z-level");

    store.replaceFrom(1, records({"X", "Y"}));
    EXPECT_EQ(names(store), (std::vector<std::string>{"", "X", "Y"}));
    EXPECT_EQ(store.fields(2)[FieldLevel], "Y-level");
    EXPECT_TRUE(store.fields(0).empty());

    // A refused file read again after a merge: the records before the first slot stay.
    RecordStore retried = storeOf({"A", "B"});
    retried.replaceFrom(3, records({"X", "Y"}));
    retried.replaceFrom(3, records({"Z"}));
    EXPECT_EQ(names(retried), (std::vector<std::string>{"", "A", "B", "Z"}));
}

TEST(RecordStore, AppendOverwriteRemove)
{
    RecordStore store = storeOf({"A", "B", "C"});
    EXPECT_EQ(store.append(levelRecord("D", "4")), 4);
    store.overwrite(2, levelRecord("B2", "9"));
    EXPECT_EQ(names(store), (std::vector<std::string>{"", "A", "B2", "C", "D"}));
    EXPECT_EQ(store.fields(2)[FieldLevel], "9");

    store.remove(1);
    EXPECT_EQ(names(store), (std::vector<std::string>{"", "B2", "C", "D"}));
    EXPECT_EQ(store.fields(1)[FieldLevel], "9");
    EXPECT_EQ(store.fields(3)[FieldLevel], "4");
}

// A slot says how many texts its record has and whether their lengths are compact: a record
// of more texts than the usual 48, or with long ones, reads back as it went in, both ways in.
TEST(RecordStore, RecordsOfAnyShapeReadBackWhole)
{
    for (const std::size_t count :
         {std::size_t{0}, std::size_t{126}, std::size_t{127}, std::size_t{300}}) {
        for (const bool longText : {false, true}) {
            std::vector<std::string> fields(count, "f");
            if (longText && count > 0)
                fields.back() = std::string(200, 'x');
            const EnemyRecord record = test::record("odd", fields);
            RecordStore store;
            store.append(record);
            store.replaceFrom(2, std::vector<EnemyRecord>{record});
            for (int slot : {1, 2}) {
                SCOPED_TRACE(::testing::Message() << count << " fields, slot " << slot);
                EXPECT_EQ(store.name(slot), "odd");
                EXPECT_EQ(store.fields(slot).toStrings(), fields);
            }
        }
    }
}

TEST(RecordStore, RevisionMovesWithEveryChangeAndOnlyThen)
{
    RecordStore store;
    struct Step {
        const char* what;
        std::function<void()> act;
        bool changes;
    };
    const Step steps[] = {
        {"New on an empty store", [&] { store.clear(); }, false},
        {"Open",
         [&] {
             store.replaceFrom(1, records({"A", "B"}));
         },
         true},
        {"Merge of nothing", [&] { store.replaceFrom(store.slotCount(), RecordBatch()); }, false},
        {"Merge", [&] { store.replaceFrom(store.slotCount(), records({"C"})); }, true},
        {"register unchanged", [&] { store.overwrite(1, levelRecord("A", "A-level")); }, false},
        {"register a new name", [&] { store.overwrite(1, levelRecord("A2", "A-level")); }, true},
        {"register a new field", [&] { store.overwrite(1, levelRecord("A2", "7")); }, true},
        {"copy", [&] { store.append(levelRecord("A2", "7")); }, true},
        {"delete", [&] { store.remove(2); }, true},
        {"New", [&] { store.clear(); }, true},
    };
    for (const Step& step : steps) {
        const std::uint64_t before = store.revision();
        step.act();
        EXPECT_EQ(store.revision() != before, step.changes) << step.what;
    }
}

TEST(RecordStore, SlotsOutOfRangeThrow)
{
    RecordStore store = storeOf({"A", "B"});
    EXPECT_THROW(store.name(3), std::out_of_range);
    EXPECT_THROW(store.fields(-1), std::out_of_range);
    EXPECT_THROW(store.overwrite(0, levelRecord("X", "1")), std::out_of_range);
    EXPECT_THROW(store.overwrite(3, levelRecord("X", "1")), std::out_of_range);
    EXPECT_THROW(store.remove(0), std::out_of_range);
    EXPECT_THROW(store.remove(3), std::out_of_range);
    EXPECT_THROW(store.replaceFrom(0, RecordBatch()), std::out_of_range);
    EXPECT_THROW(store.replaceFrom(4, RecordBatch()), std::out_of_range);
    EXPECT_EQ(names(store), (std::vector<std::string>{"", "A", "B"}));
}

} // namespace
} // namespace grimtally
