#include "core/records/recoveryjournal.h"

#include "core/records/datafile.h"
#include "core/text/commatext.h"
#include "core/text/contenthash.h"
#include "core/text/fileidentity.h"
#include "core/text/textfile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <random>

namespace grimtally {

namespace {

// The file: this line, then entries. An entry is a line of a tag and decimal numbers, the last
// of them the length of the bytes that follow it, then those bytes, then the hash of the line
// and the bytes in 16 hexadecimal digits and a line break. An entry cut short or damaged ends
// what can be read. Records are their data file lines, each after its length and a blank.
constexpr std::string_view kMagic = "GRIMTALLY RECOVERY 1\n";
constexpr char kBaseTag = 'B';
constexpr std::string_view kPrefix = ".grimtally-recovery-";
constexpr std::string_view kSuffix = ".journal";
// An entry's line is short: a longer one is damage, not a reason to read on.
constexpr std::size_t kLongestEntryLine = 256;

std::string encodeEntry(char tag, std::initializer_list<std::uint64_t> numbers,
                        std::string_view payload)
{
    std::string line(1, tag);
    for (std::uint64_t number : numbers)
        line += ' ' + std::to_string(number);
    line += ' ' + std::to_string(payload.size()) + '\n';
    Xxh64 hash;
    hash.add(line);
    hash.add(payload);
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash.value()));
    std::string entry;
    entry.reserve(line.size() + payload.size() + 17);
    entry += line;
    entry += payload;
    entry += hex;
    entry += '\n';
    return entry;
}

void appendRecord(std::string& payload, std::string_view name, FieldsView fields)
{
    const std::string line = formatRecordLine(name, fields);
    payload += std::to_string(line.size());
    payload += ' ';
    payload += line;
}

std::uint64_t recordHash(const RecordStore& store, int slot)
{
    return Xxh64::of(formatRecordLine(store.name(slot), store.fields(slot)));
}

std::string baseEntry(const JournalBase& base)
{
    const FileFingerprint& f = base.fingerprint;
    return encodeEntry(kBaseTag,
                       {base.file.empty() ? 0u : 1u, f.size, f.hash, f.identity.size,
                        static_cast<std::uint64_t>(f.identity.modified), f.identity.volume,
                        f.identity.index, static_cast<std::uint64_t>(f.takenAt)},
                       base.file.empty() ? std::string() : pathToUtf8(base.file));
}

struct Entry {
    char tag = 0;
    std::vector<std::uint64_t> numbers;
    std::string_view payload;
};

// Reads the entries of a journal's bytes one by one, up to the end or the first damage.
class EntryReader {
public:
    explicit EntryReader(std::string_view bytes) : rest_(bytes) {}

    // False at the end, and at damage (then damaged() says so).
    bool next(Entry& entry)
    {
        if (rest_.empty())
            return false;
        const std::size_t lineEnd = rest_.substr(0, kLongestEntryLine).find('\n');
        if (lineEnd == std::string_view::npos || lineEnd < 3 || rest_[1] != ' ')
            return fail();
        const std::string_view line = rest_.substr(0, lineEnd + 1);
        entry.tag = line[0];
        entry.numbers.clear();
        for (std::size_t at = 2; at < lineEnd;) {
            std::uint64_t number = 0;
            const auto [end, error] =
                std::from_chars(line.data() + at, line.data() + lineEnd, number);
            if (error != std::errc() || (end != line.data() + lineEnd && *end != ' '))
                return fail();
            entry.numbers.push_back(number);
            at = static_cast<std::size_t>(end - line.data()) + 1;
        }
        if (entry.numbers.empty())
            return fail();
        const std::uint64_t length = entry.numbers.back();
        entry.numbers.pop_back();
        const std::string_view after = rest_.substr(line.size());
        if (length > after.size() || after.size() - length < 17 || after[length + 16] != '\n')
            return fail();
        entry.payload = after.substr(0, length);
        std::uint64_t stated = 0;
        const char* hex = after.data() + length;
        const auto [end, error] = std::from_chars(hex, hex + 16, stated, 16);
        Xxh64 hash;
        hash.add(line);
        hash.add(entry.payload);
        if (error != std::errc() || end != hex + 16 || stated != hash.value())
            return fail();
        rest_.remove_prefix(line.size() + length + 17);
        return true;
    }
    bool damaged() const { return damaged_; }
    // The bytes not read yet.
    std::string_view rest() const { return rest_; }

private:
    bool fail()
    {
        damaged_ = true;
        return false;
    }
    std::string_view rest_;
    bool damaged_ = false;
};

// The records of a payload, or nothing when it is damaged.
std::optional<std::vector<EnemyRecord>> recordsOf(std::string_view payload)
{
    std::vector<EnemyRecord> records;
    std::vector<std::string> items;
    while (!payload.empty()) {
        std::size_t length = 0;
        const auto [end, error] =
            std::from_chars(payload.data(), payload.data() + payload.size(), length);
        const auto digits = static_cast<std::size_t>(end - payload.data());
        if (error != std::errc() || digits >= payload.size() || *end != ' ' ||
            length > payload.size() - digits - 1)
            return std::nullopt;
        const std::string_view line = payload.substr(digits + 1, length);
        payload.remove_prefix(digits + 1 + length);
        if (!splitCommaTextAtMost(line, 1 + kFieldCount, items) || items.size() != 1 + kFieldCount)
            return std::nullopt;
        records.push_back(
            {std::move(items[0]), FieldList(std::span<const std::string>(items).subspan(1))});
    }
    return records;
}

std::optional<JournalBase> baseOf(const Entry& entry)
{
    if (entry.tag != kBaseTag || entry.numbers.size() != 8 || entry.numbers[0] > 1)
        return std::nullopt;
    JournalBase base;
    if (entry.numbers[0] == 1)
        base.file = pathFromUtf8(entry.payload);
    FileFingerprint& f = base.fingerprint;
    f.size = entry.numbers[1];
    f.hash = entry.numbers[2];
    f.identity = {entry.numbers[3], static_cast<std::int64_t>(entry.numbers[4]), entry.numbers[5],
                  entry.numbers[6]};
    f.takenAt = static_cast<std::int64_t>(entry.numbers[7]);
    return base;
}

// The slot of the record that a change from another run replaced or removed: where it was,
// or that far from the end when records before it came or went. -1 when neither holds it.
int findReplaced(const RecordStore& store, std::uint64_t slot, std::uint64_t slotsBefore,
                 std::uint64_t replaced)
{
    const auto shifted = static_cast<std::int64_t>(slot) + store.slotCount() -
                         static_cast<std::int64_t>(slotsBefore);
    for (std::int64_t candidate : {shifted, static_cast<std::int64_t>(slot)}) {
        if (candidate >= 1 && candidate < store.slotCount() &&
            recordHash(store, static_cast<int>(candidate)) == replaced)
            return static_cast<int>(candidate);
    }
    return -1;
}

// Puts one change back; false when the entry is not one this program writes.
bool replay(const Entry& entry, RecordStore& store, JournalRestore& result)
{
    const std::vector<std::uint64_t>& n = entry.numbers;
    std::optional<std::vector<EnemyRecord>> records = recordsOf(entry.payload);
    if (!records)
        return false;
    switch (static_cast<char>(entry.tag)) {
    case 'A':
        if (n.size() != 1 || records->size() != 1)
            return false;
        store.append((*records)[0]);
        return true;
    case 'O':
    case 'D': {
        if (n.size() != 3 || records->size() != (entry.tag == 'O' ? 1u : 0u))
            return false;
        const int slot = findReplaced(store, n[0], n[1], n[2]);
        if (slot < 0)
            ++result.unmatched;
        if (entry.tag == 'D') {
            if (slot >= 0)
                store.remove(slot);
        } else if (slot >= 0) {
            store.overwrite(slot, (*records)[0]);
        } else {
            store.append((*records)[0]); // an edit is never lost, at worst it comes twice
        }
        return true;
    }
    case 'M': {
        if (n.size() != 2 || n[0] < 1 || n[0] > n[1])
            return false;
        const std::int64_t shifted =
            static_cast<std::int64_t>(n[0]) + store.slotCount() - static_cast<std::int64_t>(n[1]);
        store.replaceFrom(static_cast<int>(std::clamp<std::int64_t>(shifted, 1, store.slotCount())),
                          *records);
        return true;
    }
    default:
        return false;
    }
}

std::string randomName()
{
    // The clock as well, should a system's random device repeat itself from process to process.
    std::random_device device;
    const auto mixed =
        (std::uint64_t{device()} << 32 | device()) ^ static_cast<std::uint64_t>(fileClockNow());
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(mixed));
    return std::string(kPrefix) + hex + std::string(kSuffix);
}

bool isJournalName(const std::string& name)
{
    return name.size() > kPrefix.size() + kSuffix.size() && name.starts_with(kPrefix) &&
           name.ends_with(kSuffix);
}

} // namespace

StoreChange StoreChange::appending(const RecordStore& store)
{
    return {Kind::Append, store.slotCount(), store.slotCount(), 0};
}

StoreChange StoreChange::overwriting(const RecordStore& store, int slot)
{
    return {Kind::Overwrite, slot, store.slotCount(), recordHash(store, slot)};
}

StoreChange StoreChange::removing(const RecordStore& store, int slot)
{
    return {Kind::Remove, slot, store.slotCount(), recordHash(store, slot)};
}

StoreChange StoreChange::replacingFrom(const RecordStore& store, int firstSlot)
{
    return {Kind::ReplaceFrom, firstSlot, store.slotCount(), 0};
}

RecoveryJournal::RecoveryJournal(std::filesystem::path folder) : folder_(std::move(folder))
{}

RecoveryJournal::~RecoveryJournal() = default;

void RecoveryJournal::reset(JournalBase base)
{
    base_ = std::move(base);
    discard();
}

void RecoveryJournal::discard()
{
    if (!file_)
        return;
    std::unique_ptr<HeldFile> file = std::move(file_);
    file->remove();
}

std::optional<std::filesystem::path> RecoveryJournal::file() const
{
    if (!file_)
        return std::nullopt;
    return file_->path();
}

void RecoveryJournal::start(std::string_view entries)
{
    for (int attempt = 0;; ++attempt) {
        try {
            file_ = HeldFile::create(folder_ / randomName());
            break;
        } catch (const FileError&) {
            // A name of another program's: a few more tries, then the failure is real.
            if (attempt == 3)
                throw;
        }
    }
    std::string head(kMagic);
    head += baseEntry(base_);
    head += entries;
    try {
        file_->append(head);
    } catch (const FileError&) {
        discard();
        throw;
    }
}

void RecoveryJournal::note(const RecordStore& store, const StoreChange& change)
{
    std::string payload;
    std::string entry;
    const auto before = static_cast<std::uint64_t>(change.slotsBefore_);
    const auto slot = static_cast<std::uint64_t>(change.slot_);
    switch (change.kind_) {
    case StoreChange::Kind::Append:
        appendRecord(payload, store.name(store.slotCount() - 1),
                     store.fields(store.slotCount() - 1));
        entry = encodeEntry('A', {before}, payload);
        break;
    case StoreChange::Kind::Overwrite:
        appendRecord(payload, store.name(change.slot_), store.fields(change.slot_));
        entry = encodeEntry('O', {slot, before, change.replaced_}, payload);
        break;
    case StoreChange::Kind::Remove:
        entry = encodeEntry('D', {slot, before, change.replaced_}, payload);
        break;
    case StoreChange::Kind::ReplaceFrom:
        for (int each = change.slot_; each < store.slotCount(); ++each)
            appendRecord(payload, store.name(each), store.fields(each));
        entry = encodeEntry('M', {slot, before}, payload);
        break;
    }
    if (!file_)
        start(entry);
    else
        file_->append(entry);
}

std::vector<std::filesystem::path> RecoveryJournal::leftBehind(const std::filesystem::path& folder)
{
    std::vector<std::pair<std::filesystem::file_time_type, std::filesystem::path>> found;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (!isJournalName(pathToUtf8(it->path().filename())) || !it->is_regular_file(error))
            continue;
        try {
            if (!HeldFile::takeOver(it->path()))
                continue; // a running program's
        } catch (const FileError&) {
            continue;
        }
        found.emplace_back(it->last_write_time(error), it->path());
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::filesystem::path> journals;
    for (auto& [time, path] : found)
        journals.push_back(std::move(path));
    return journals;
}

std::optional<JournalRestore> RecoveryJournal::restore(const std::filesystem::path& journal,
                                                       RecordStore& store)
{
    std::unique_ptr<HeldFile> old = HeldFile::takeOver(journal);
    if (!old)
        return std::nullopt;
    const std::string bytes = old->readAll();
    JournalRestore result;
    EntryReader reader(std::string_view(bytes).substr(std::min(bytes.size(), kMagic.size())));
    Entry entry;
    std::optional<JournalBase> base;
    if (std::string_view(bytes).starts_with(kMagic) && reader.next(entry))
        base = baseOf(entry);

    store.clear();
    if (base && !base->file.empty()) {
        try {
            ParsedDataFile parsed = readDataFile(base->file);
            result.base = {base->file, parsed.fingerprint};
            result.baseChanged = parsed.fingerprint.size != base->fingerprint.size ||
                                 parsed.fingerprint.hash != base->fingerprint.hash;
            if (parsed.hadLines)
                store.replaceFrom(1, std::move(parsed.records));
        } catch (const FileError& error) {
            result.baseMissing = true;
            result.baseProblem = error.what();
        }
    }
    result.baseRevision = store.revision();

    // The changes, up to the first that cannot be read or put back.
    const std::string_view entries = reader.rest();
    std::size_t good = 0;
    if (base) {
        while (reader.next(entry)) {
            if (!replay(entry, store, result)) {
                result.damaged = true;
                break;
            }
            ++result.changes;
            good = entries.size() - reader.rest().size();
        }
    }
    result.damaged = result.damaged || reader.damaged() || !base;

    // This program's journal goes on from there before the old one goes.
    reset(result.base);
    if (result.changes > 0)
        start(entries.substr(0, good));
    if (result.damaged) {
        old.reset();
        if (std::optional<std::filesystem::path> aside = setAside(journal))
            result.keptAside = *aside;
    } else {
        old->remove();
    }
    return result;
}

std::optional<std::filesystem::path> RecoveryJournal::setAside(const std::filesystem::path& journal)
{
    std::unique_ptr<HeldFile> held = HeldFile::takeOver(journal);
    if (!held)
        return std::nullopt;
    const std::time_t now = std::time(nullptr);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&now));
    const std::filesystem::path folder = journal.parent_path();
    std::filesystem::path aside;
    for (int number = 1;; ++number) {
        std::string name = std::string("grimtally-unsaved-") + stamp;
        if (number > 1)
            name += "-" + std::to_string(number);
        aside = folder / pathFromUtf8(name + std::string(kSuffix));
        std::error_code error;
        if (!std::filesystem::exists(aside, error))
            break;
    }
    held->moveTo(aside);
    return aside;
}

} // namespace grimtally
