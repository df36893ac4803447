// The open collection: slot 0 is the new-entry slot (empty name, no fields, never saved),
// slots 1..n hold the records in file order. Names and field lists are parallel sequences.
#pragma once

#include "core/records/record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace grimtally {

class RecordStore {
public:
    RecordStore(); // the new-entry slot alone

    int slotCount() const { return static_cast<int>(names_.size()); }
    int recordCount() const { return slotCount() - 1; }

    const std::string& name(int slot) const { return names_.at(slot); }
    const FieldList& fields(int slot) const { return fields_.at(slot); }

    // Grows with every change of the records and only then, so that a window can tell
    // whether the collection changed since it was read or written.
    std::uint64_t revision() const { return revision_; }

    // New: back to the new-entry slot alone.
    void clear();
    // Keeps the slots before `firstSlot` and puts `records` after them (Open passes 1,
    // Merge the slot count).
    void replaceFrom(int firstSlot, std::vector<EnemyRecord> records);
    // Appends a record and returns its slot.
    int append(EnemyRecord record);
    void overwrite(int slot, EnemyRecord record); // slot >= 1
    void remove(int slot);                        // slot >= 1; later slots move down

private:
    std::vector<std::string> names_;
    std::vector<FieldList> fields_;
    std::uint64_t revision_ = 0;
};

} // namespace grimtally
