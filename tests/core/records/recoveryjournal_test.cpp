#include "core/records/datafile.h"
#include "core/records/recoveryjournal.h"
#include "core/text/fileidentity.h"
#include "core/text/savefile.h"
#include "core/text/textfile.h"
#include "test_records.h"
#include "tests/core/text/tempfolder.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace grimtally;
using grimtally::test::levelRecord;
using grimtally::test::record;
using grimtally::test::wolfFields;

namespace {

// The collection as Save as would write it.
std::string bytesOf(const RecordStore& store)
{
    std::ostringstream out;
    writeDataFile(out, store);
    return out.str();
}

class RecoveryJournalTest : public TempFolder {
protected:
    // A collection saved as `name`, with the journal's base set to it.
    JournalBase saved(const std::string& name, RecordStore& store, RecoveryJournal& journal)
    {
        JournalBase base{path(name), saveDataFile(path(name), store)};
        journal.reset(base);
        return base;
    }

    // The work of a session on a saved collection of four: every command that changes it.
    void work(RecordStore& store, RecoveryJournal& journal)
    {
        auto change = [&](StoreChange noted, auto&& action) {
            action();
            journal.note(store, noted);
        };
        change(StoreChange::appending(store), [&] { store.append(levelRecord("Imp", "2")); });
        change(StoreChange::overwriting(store, 2),
               [&] { store.overwrite(2, record("Wolf \"grey\", old", wolfFields())); });
        change(StoreChange::removing(store, 1), [&] { store.remove(1); });
        change(StoreChange::appending(store), [&] {
            store.append({std::string(store.name(2)), FieldList(store.fields(2))});
        });
        // A merge, then the same merge replaced by another file's records.
        const int first = store.slotCount();
        change(StoreChange::replacingFrom(store, first), [&] {
            store.replaceFrom(first, std::vector{levelRecord("Bat", "1"), levelRecord("Rat", "1")});
        });
        change(StoreChange::replacingFrom(store, first),
               [&] { store.replaceFrom(first, std::vector{levelRecord("Owl", "4")}); });
        change(StoreChange::overwriting(store, store.slotCount() - 1),
               [&] { store.overwrite(store.slotCount() - 1, levelRecord("Owl", "5")); });
    }

    RecordStore fourEnemies()
    {
        RecordStore store;
        for (const char* name : {"Goblin", "Orc", "Troll", "Ogre"})
            store.append(levelRecord(name, "3"));
        return store;
    }
};

TEST_F(RecoveryJournalTest, AKilledSessionIsRebuiltExactlyAndGoesOn)
{
    RecordStore store = fourEnemies();
    std::optional<std::filesystem::path> left;
    {
        RecoveryJournal journal(folder());
        saved("enemies.txt", store, journal);
        EXPECT_FALSE(journal.file()) << "nothing unsaved, no file";
        work(store, journal);
        left = journal.file();
        ASSERT_TRUE(left);
        // Held while its program runs.
        EXPECT_TRUE(RecoveryJournal::leftBehind(folder()).empty());
    } // killed: the file stays
    ASSERT_EQ(RecoveryJournal::leftBehind(folder()), std::vector{*left});

    RecordStore restored;
    restored.append(levelRecord("Stray", "1"));
    std::optional<RecoveryJournal> next(std::in_place, folder());
    const std::optional<JournalRestore> result = next->restore(*left, restored);
    ASSERT_TRUE(result);
    EXPECT_EQ(bytesOf(restored), bytesOf(store));
    EXPECT_EQ(result->changes, 7);
    EXPECT_FALSE(result->baseChanged || result->baseMissing || result->damaged);
    EXPECT_EQ(result->unmatched, 0);
    EXPECT_TRUE(sameFile(result->base.file, path("enemies.txt")));
    EXPECT_NE(restored.revision(), result->baseRevision);

    // The new program's journal holds the same, and goes on from it.
    EXPECT_FALSE(std::filesystem::exists(*left));
    ASSERT_TRUE(next->file());
    const StoreChange removal = StoreChange::removing(restored, 1);
    restored.remove(1);
    next->note(restored, removal);
    const std::filesystem::path again = *next->file();
    next.emplace(folder()); // killed again
    RecordStore third;
    ASSERT_TRUE(next->restore(again, third));
    EXPECT_EQ(bytesOf(third), bytesOf(restored));

    // Saving, or closing in order, leaves no journal.
    const std::filesystem::path last = *next->file();
    next->discard();
    EXPECT_TRUE(RecoveryJournal::leftBehind(folder()).empty());
    EXPECT_FALSE(std::filesystem::exists(last));
}

TEST_F(RecoveryJournalTest, OneEditAppendsOneRecordNotTheCollection)
{
    RecordStore store;
    for (int i = 0; i < 2000; ++i)
        store.append(record("Wolf " + std::to_string(i), wolfFields()));
    RecoveryJournal journal(folder());
    saved("big.txt", store, journal);
    const StoreChange edit = StoreChange::overwriting(store, 1000);
    store.overwrite(1000, levelRecord("Imp", "2"));
    journal.note(store, edit);
    EXPECT_LT(std::filesystem::file_size(*journal.file()), 600u);
    EXPECT_GT(std::filesystem::file_size(path("big.txt")), 300000u);
}

TEST_F(RecoveryJournalTest, ChangesGoOntoABaseThatAnotherProgramChanged)
{
    RecordStore store = fourEnemies();
    std::filesystem::path left;
    {
        RecoveryJournal journal(folder());
        saved("enemies.txt", store, journal);
        // Troll edited (slot 3), Goblin deleted, Imp added.
        StoreChange edit = StoreChange::overwriting(store, 3);
        store.overwrite(3, levelRecord("Troll", "9"));
        journal.note(store, edit);
        StoreChange removal = StoreChange::removing(store, 1);
        store.remove(1);
        journal.note(store, removal);
        StoreChange added = StoreChange::appending(store);
        store.append(levelRecord("Imp", "2"));
        journal.note(store, added);
        left = *journal.file();
    }
    // Meanwhile another program put a record in front and dropped the Goblin itself.
    RecordStore other;
    other.append(levelRecord("Newt", "1"));
    for (const char* name : {"Orc", "Troll", "Ogre"})
        other.append(levelRecord(name, "3"));
    saveDataFile(path("enemies.txt"), other);

    RecordStore restored;
    RecoveryJournal next(folder());
    const auto result = next.restore(left, restored);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->baseChanged);
    EXPECT_FALSE(result->damaged);
    EXPECT_EQ(result->changes, 3);
    // The edit found the Troll where it now is; the Goblin was not there to delete.
    EXPECT_EQ(result->unmatched, 1);
    RecordStore expected;
    for (auto r : {levelRecord("Newt", "1"), levelRecord("Orc", "3"), levelRecord("Troll", "9"),
                   levelRecord("Ogre", "3"), levelRecord("Imp", "2")})
        expected.append(r);
    EXPECT_EQ(bytesOf(restored), bytesOf(expected));
}

TEST_F(RecoveryJournalTest, ACutOrDamagedJournalGivesBackWhatCameBeforeTheDamage)
{
    RecordStore store = fourEnemies();
    std::filesystem::path left;
    std::vector<std::string> states; // after each change
    {
        RecoveryJournal journal(folder());
        saved("enemies.txt", store, journal);
        for (int i = 0; i < 3; ++i) {
            StoreChange added = StoreChange::appending(store);
            store.append(levelRecord("Imp " + std::to_string(i), "2"));
            journal.note(store, added);
            states.push_back(bytesOf(store));
        }
        left = *journal.file();
    }
    const std::string whole = readWholeFile(left);
    std::filesystem::remove(left);
    const std::string base = readWholeFile(path("enemies.txt"));
    for (std::size_t cut = 0; cut < whole.size(); cut += 7) {
        for (bool flip : {false, true}) {
            std::string bytes = whole.substr(0, cut);
            if (flip) {
                bytes = whole;
                bytes[cut] = static_cast<char>(bytes[cut] ^ 0x21);
            }
            const std::filesystem::path copy = path(".grimtally-recovery-cut.journal");
            writeFileAtomically(copy, bytes);
            RecordStore restored;
            RecoveryJournal next(folder());
            const auto result = next.restore(copy, restored);
            ASSERT_TRUE(result);
            SCOPED_TRACE("cut at " + std::to_string(cut) + (flip ? ", one byte changed" : ""));
            if (flip) {
                EXPECT_TRUE(result->damaged);
            }
            EXPECT_EQ(bytesOf(restored),
                      result->changes == 0 ? (result->base.file.empty() ? "" : base)
                                           : states[static_cast<std::size_t>(result->changes) - 1]);
            // A damaged one is kept aside, never offered again.
            EXPECT_EQ(result->keptAside.empty(), !result->damaged);
            if (result->damaged) {
                EXPECT_TRUE(std::filesystem::remove(result->keptAside));
            }
            next.discard();
            EXPECT_TRUE(RecoveryJournal::leftBehind(folder()).empty());
        }
    }
}

TEST_F(RecoveryJournalTest, SetAsideKeepsTheJournalUnderADatedNameNotOfferedAgain)
{
    RecordStore store = fourEnemies();
    std::filesystem::path left;
    {
        RecoveryJournal journal(folder());
        journal.reset({});
        StoreChange added = StoreChange::appending(store);
        store.append(levelRecord("Imp", "2"));
        journal.note(store, added);
        left = *journal.file();
    }
    const std::string bytes = readWholeFile(left);
    const auto aside = RecoveryJournal::setAside(left);
    ASSERT_TRUE(aside);
    EXPECT_EQ(readWholeFile(*aside), bytes);
    EXPECT_TRUE(pathToUtf8(aside->filename()).starts_with("grimtally-unsaved-"));
    EXPECT_TRUE(RecoveryJournal::leftBehind(folder()).empty());
}

} // namespace
