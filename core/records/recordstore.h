// The open collection: slot 0 is the new-entry slot (empty name, no fields, never saved),
// slots 1..n hold the records in file order. The records' bytes are kept once, in the
// buffer a file was read into or, for a record the program made, in a buffer of its own;
// a slot is a pointer into one of them.
#pragma once

#include "core/records/record.h"

#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace grimtally {

// A record as the store keeps it: a header, then its texts, the name and then the fields,
// encoded as in record.h. The header says how many texts there are and whether every length
// takes one byte, so that a slot is a pointer alone: a million records cost eight bytes each
// beside their text.
struct StoredRecord {
    const char* encoded = nullptr; // nullptr for the new-entry slot

    std::string_view name() const;
    FieldsView fields() const;
};

namespace stored {
// Bytes of the header for `texts` texts: one, or more beyond 126 texts.
std::size_t headerSize(std::size_t texts);
// Writes the header at `out` and returns where the encoding goes.
char* writeHeader(std::size_t texts, bool compact, char* out);
// Bytes these texts take in the store, the header included.
template <typename Texts> std::size_t size(const Texts& texts)
{
    return headerSize(std::size(texts)) + encoded::size(texts);
}
// Writes the header and the encoding at `out`, which has size(texts) bytes of room; returns
// the end.
template <typename Texts> char* write(const Texts& texts, char* out)
{
    return encoded::write(texts, writeHeader(std::size(texts), encoded::compact(texts), out));
}
} // namespace stored

// Records read from one file, in the buffers that hold their bytes.
class RecordBatch {
public:
    struct Entry {
        std::string_view name;
        FieldsView fields;
    };

    std::size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    Entry operator[](std::size_t index) const;

    // Takes the bytes' buffer along; records may point into it from now on.
    void keep(std::shared_ptr<const char[]> buffer) { buffers_.push_back(std::move(buffer)); }
    void add(StoredRecord record) { records_.push_back(record); }
    // The records of `later` after these, with the buffers they need.
    void append(RecordBatch&& later);

private:
    friend class RecordStore;
    std::vector<std::shared_ptr<const char[]>> buffers_;
    std::vector<StoredRecord> records_;
};

class RecordStore {
public:
    RecordStore(); // the new-entry slot alone

    int slotCount() const { return static_cast<int>(slots_.size()); }
    int recordCount() const { return slotCount() - 1; }
    std::vector<int> recordSlots() const; // 1 .. recordCount(), in slot order

    std::string_view name(int slot) const { return slots_.at(checked(slot)).name(); }
    FieldsView fields(int slot) const { return slots_.at(checked(slot)).fields(); }

    // Grows with every change of the records and only then, so that a window can tell
    // whether the collection changed since it was read or written.
    std::uint64_t revision() const { return revision_; }

    // New: back to the new-entry slot alone.
    void clear();
    // Keeps the slots before `firstSlot` and puts `records` after them (Open passes 1,
    // Merge the slot count).
    void replaceFrom(int firstSlot, RecordBatch records);
    void replaceFrom(int firstSlot, const std::vector<EnemyRecord>& records);
    // Appends a record and returns its slot.
    int append(const EnemyRecord& record);
    void overwrite(int slot, const EnemyRecord& record); // slot >= 1
    void remove(int slot);                               // slot >= 1; later slots move down

private:
    static std::size_t checked(int slot);
    StoredRecord keepCopy(std::string_view name, FieldsView fields);

    std::vector<StoredRecord> slots_;
    // Every buffer a slot may point into; bytes of removed or replaced records stay until
    // the next Open or New lets their buffers go.
    std::vector<std::shared_ptr<const char[]>> buffers_;
    std::uint64_t revision_ = 0;
};

} // namespace grimtally
