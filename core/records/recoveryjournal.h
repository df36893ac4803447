// The recovery journal: while the collection has unsaved changes, every change made to the
// store is appended to a small file in the working folder and flushed, so that a program
// that is killed loses none of them; the next start offers them back. The journal holds the
// file the collection began from (read again on restoring) and the changes since, never a
// copy of the whole collection.
#pragma once

#include "core/records/recordstore.h"
#include "core/text/filefingerprint.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace grimtally {

class HeldFile;

// What the collection began from: the file last opened or saved, or none (a new collection).
struct JournalBase {
    std::filesystem::path file; // empty for none
    FileFingerprint fingerprint;
};

// One change to the store, taken just before it is made (a record replaced or removed is
// gone afterwards) and noted just after.
class StoreChange {
public:
    static StoreChange appending(const RecordStore& store);             // registering, Copy
    static StoreChange overwriting(const RecordStore& store, int slot); // registering
    static StoreChange removing(const RecordStore& store, int slot);    // Delete
    // Merge and Import: the records put in from `firstSlot` on.
    static StoreChange replacingFrom(const RecordStore& store, int firstSlot);

private:
    friend class RecoveryJournal;
    enum class Kind : char { Append = 'A', Overwrite = 'O', Remove = 'D', ReplaceFrom = 'M' };
    StoreChange(Kind kind, int slot, int slotsBefore, std::uint64_t replaced)
        : kind_(kind), slot_(slot), slotsBefore_(slotsBefore), replaced_(replaced)
    {}
    Kind kind_;
    int slot_;
    int slotsBefore_;
    std::uint64_t replaced_; // the hash of the record overwritten or removed
};

// What restoring a journal did.
struct JournalRestore {
    JournalBase base;               // the file read again, as it is now
    bool baseChanged = false;       // it no longer holds what the journal began from
    bool baseMissing = false;       // it could not be read: the changes went onto no records
    std::string baseProblem;        // why it could not be read
    std::uint64_t baseRevision = 0; // the store's revision with the base alone in it
    int changes = 0;                // changes put back
    int unmatched = 0;              // edits and deletions whose enemy was not found in a changed
                                    // file: edited enemies were added at the end, deletions dropped
    bool damaged = false;           // the journal was cut short or damaged after `changes`
    std::filesystem::path keptAside; // where a damaged journal was kept
};

class RecoveryJournal {
public:
    // Journals live in `folder`, one for each running program.
    explicit RecoveryJournal(std::filesystem::path folder);
    // Lets go of the file and leaves it: only discard() (an orderly close) removes it.
    ~RecoveryJournal();
    RecoveryJournal(const RecoveryJournal&) = delete;
    RecoveryJournal& operator=(const RecoveryJournal&) = delete;

    // The collection is `base` with nothing unsaved: the file goes, and the next change
    // starts a new one. Throws FileError when the file cannot be removed.
    void reset(JournalBase base);
    // Appends `change`, just made to `store`, flushed; the first change since reset makes the
    // file, which begins with the base. Throws FileError.
    void note(const RecordStore& store, const StoreChange& change);
    // The orderly close, after the close question: the file goes.
    void discard();
    // The file being written, if any.
    std::optional<std::filesystem::path> file() const;

    // Journals in `folder` that no running program holds, newest first.
    static std::vector<std::filesystem::path> leftBehind(const std::filesystem::path& folder);
    // Rebuilds `store` from a journal left behind and goes on in it (a damaged one is kept
    // aside and this journal starts anew with what could be read). Nothing when another
    // program took the journal meanwhile. Throws FileError.
    std::optional<JournalRestore> restore(const std::filesystem::path& journal, RecordStore& store);
    // Keeps a journal left behind under a dated name, which is never offered again, and
    // returns that name; nothing when another program took it meanwhile. Throws FileError.
    static std::optional<std::filesystem::path> setAside(const std::filesystem::path& journal);

private:
    void start(std::string_view entries);

    std::filesystem::path folder_;
    JournalBase base_;
    std::unique_ptr<HeldFile> file_;
};

} // namespace grimtally
