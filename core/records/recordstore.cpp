#include "core/records/recordstore.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace grimtally {

namespace {

void checkRecordSlot(int slot, int slotCount)
{
    // Slot 0 is the new-entry slot; it never holds a record.
    if (slot < 1 || slot >= slotCount)
        throw std::out_of_range("record slot " + std::to_string(slot) + " of " +
                                std::to_string(slotCount));
}

} // namespace

RecordStore::RecordStore()
{
    names_.assign(1, std::string());
    fields_.assign(1, FieldList());
}

void RecordStore::clear()
{
    if (slotCount() == 1)
        return;
    names_.resize(1);
    fields_.resize(1);
    ++revision_;
}

void RecordStore::replaceFrom(int firstSlot, std::vector<EnemyRecord> records)
{
    // Open passes 1, Merge the slot count: anything else would drop the new-entry slot or
    // leave a gap.
    if (firstSlot < 1 || firstSlot > slotCount())
        throw std::out_of_range("first slot " + std::to_string(firstSlot) + " of " +
                                std::to_string(slotCount()));
    if (records.empty() && firstSlot == slotCount())
        return;
    const std::size_t kept = static_cast<std::size_t>(firstSlot);
    // Room first: if there is not enough memory, the store is still as it was.
    names_.reserve(kept + records.size());
    fields_.reserve(kept + records.size());
    names_.resize(kept);
    fields_.resize(kept);
    for (EnemyRecord& record : records) {
        names_.push_back(std::move(record.name));
        fields_.push_back(std::move(record.fields));
    }
    ++revision_;
}

int RecordStore::append(EnemyRecord record)
{
    names_.push_back(std::move(record.name));
    try {
        fields_.push_back(std::move(record.fields));
    } catch (...) {
        // The two sequences must stay the same length whatever happens.
        names_.pop_back();
        throw;
    }
    ++revision_;
    return slotCount() - 1;
}

void RecordStore::overwrite(int slot, EnemyRecord record)
{
    checkRecordSlot(slot, slotCount());
    // Registering an enemy the user did not change is no change of the collection.
    if (names_[slot] == record.name && fields_[slot] == record.fields)
        return;
    names_[slot] = std::move(record.name);
    fields_[slot] = std::move(record.fields);
    ++revision_;
}

void RecordStore::remove(int slot)
{
    checkRecordSlot(slot, slotCount());
    names_.erase(names_.begin() + slot);
    fields_.erase(fields_.begin() + slot);
    ++revision_;
}

} // namespace grimtally
