#include "core/records/recordstore.h"

#include <algorithm>
#include <array>
#include <numeric>
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

// The name and the fields as one list of texts, the way the store encodes them.
std::vector<std::string_view> textsOf(std::string_view name, FieldsView fields)
{
    // All fields in one pass: taking them one by one would read the lengths before each.
    std::vector<std::string_view> texts(static_cast<std::size_t>(std::max(fields.size(), 0)) + 1);
    texts[0] = name;
    fields.views(std::span<std::string_view>(texts).subspan(1));
    return texts;
}

} // namespace

namespace {

// The header: the texts' count in its low seven bits (127: it follows as a varint), the
// compact mark in the top bit.
constexpr unsigned char kCompactMark = 0x80;
constexpr std::size_t kCountFollows = 0x7F;

// Every text of a stored record, the name first.
FieldsView storedTexts(const char* encoded, int first)
{
    const auto header = static_cast<unsigned char>(*encoded++);
    std::size_t count = header & kCountFollows;
    if (count == kCountFollows) {
        count = 0;
        for (int shift = 0;; shift += 7) {
            const auto byte = static_cast<unsigned char>(*encoded++);
            count |= static_cast<std::size_t>(byte & 0x7F) << shift;
            if (byte < 0x80)
                break;
        }
    }
    return FieldsView(encoded, static_cast<int>(count), first, (header & kCompactMark) != 0);
}

} // namespace

std::size_t stored::headerSize(std::size_t texts)
{
    return texts < kCountFollows ? 1 : 1 + encoded::varintSize(texts);
}

char* stored::writeHeader(std::size_t texts, bool compact, char* out)
{
    const unsigned char mark = compact ? kCompactMark : 0;
    if (texts < kCountFollows) {
        *out++ = static_cast<char>(mark | texts);
        return out;
    }
    *out++ = static_cast<char>(mark | kCountFollows);
    return encoded::writeVarint(texts, out);
}

std::string_view StoredRecord::name() const
{
    if (!encoded)
        return {};
    const FieldsView texts = storedTexts(encoded, 0);
    return texts.empty() ? std::string_view() : texts[0];
}

FieldsView StoredRecord::fields() const
{
    return encoded ? storedTexts(encoded, 1) : FieldsView();
}

std::vector<int> RecordStore::recordSlots() const
{
    std::vector<int> slots(static_cast<std::size_t>(recordCount()));
    std::iota(slots.begin(), slots.end(), 1);
    return slots;
}

void RecordBatch::append(RecordBatch&& later)
{
    records_.insert(records_.end(), later.records_.begin(), later.records_.end());
    for (std::shared_ptr<const char[]>& buffer : later.buffers_)
        buffers_.push_back(std::move(buffer));
    later = RecordBatch();
}

RecordBatch::Entry RecordBatch::operator[](std::size_t index) const
{
    const StoredRecord& record = records_.at(index);
    return {record.name(), record.fields()};
}

RecordStore::RecordStore() : slots_(1)
{}

std::size_t RecordStore::checked(int slot)
{
    return static_cast<std::size_t>(slot); // a negative slot turns huge, which at() refuses
}

StoredRecord RecordStore::keepCopy(std::string_view name, FieldsView fields)
{
    const std::vector<std::string_view> texts = textsOf(name, fields);
    std::shared_ptr<char[]> buffer(new char[stored::size(texts)]);
    stored::write(texts, buffer.get());
    buffers_.push_back(buffer);
    return {buffer.get()};
}

void RecordStore::clear()
{
    if (slotCount() == 1)
        return;
    slots_.resize(1);
    buffers_.clear();
    ++revision_;
}

void RecordStore::replaceFrom(int firstSlot, RecordBatch records)
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
    slots_.reserve(kept + records.size());
    buffers_.reserve(buffers_.size() + records.buffers_.size());
    slots_.resize(kept);
    if (kept == 1)
        buffers_.clear(); // no slot points into the old buffers any more
    slots_.insert(slots_.end(), records.records_.begin(), records.records_.end());
    for (std::shared_ptr<const char[]>& buffer : records.buffers_)
        buffers_.push_back(std::move(buffer));
    ++revision_;
}

void RecordStore::replaceFrom(int firstSlot, const std::vector<EnemyRecord>& records)
{
    // One buffer for all of them, as for a file.
    std::size_t total = 0;
    for (const EnemyRecord& record : records)
        total += stored::size(textsOf(record.name, record.fields));
    std::shared_ptr<char[]> buffer(new char[std::max<std::size_t>(total, 1)]);
    RecordBatch batch;
    char* out = buffer.get();
    for (const EnemyRecord& record : records) {
        batch.add({out});
        out = stored::write(textsOf(record.name, record.fields), out);
    }
    batch.keep(std::move(buffer));
    replaceFrom(firstSlot, std::move(batch));
}

int RecordStore::append(const EnemyRecord& record)
{
    const StoredRecord stored = keepCopy(record.name, record.fields);
    slots_.push_back(stored);
    ++revision_;
    return slotCount() - 1;
}

void RecordStore::overwrite(int slot, const EnemyRecord& record)
{
    checkRecordSlot(slot, slotCount());
    StoredRecord& stored = slots_[static_cast<std::size_t>(slot)];
    // Registering an enemy the user did not change is no change of the collection.
    if (stored.name() == record.name && stored.fields() == record.fields.view())
        return;
    stored = keepCopy(record.name, record.fields);
    ++revision_;
}

void RecordStore::remove(int slot)
{
    checkRecordSlot(slot, slotCount());
    slots_.erase(slots_.begin() + slot);
    ++revision_;
}

} // namespace grimtally
