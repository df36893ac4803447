#include "core/records/sortkeys.h"

#include "core/records/listcells.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>
#include <utility>

namespace grimtally {

namespace {

constexpr std::size_t kWordBytes = 4;
constexpr std::size_t kHeadBytes = 4 * kWordBytes;
// Runs up to these sizes are sorted by insertion and by merging, larger ones by radix;
// above kCachedRun a run is first split by its most significant byte, so that the passes
// over each part stay in the cache.
constexpr std::ptrdiff_t kInsertionRun = 16;
constexpr std::ptrdiff_t kComparisonRun = 64;
constexpr std::ptrdiff_t kCachedRun = std::ptrdiff_t{1} << 17;

// a..z as A..Z and nothing else, as compareListText folds.
constexpr auto kFolded = [] {
    std::array<unsigned char, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] =
            static_cast<unsigned char>(byte >= 'a' && byte <= 'z' ? byte - 'a' + 'A' : byte);
    return table;
}();

unsigned char fold(char byte)
{
    return kFolded[static_cast<unsigned char>(byte)];
}

// Big-endian with zeros after the end, so that comparing words as numbers compares their
// bytes in order; the bytes are folded on the way unless they are already.
std::uint32_t loadWord(const char* bytes, std::size_t count, bool folding)
{
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char byte = folding ? fold(bytes[i]) : static_cast<unsigned char>(bytes[i]);
        word |= std::uint32_t{byte} << (24 - 8 * i);
    }
    return word;
}

std::uint32_t high(std::uint64_t item)
{
    return static_cast<std::uint32_t>(item >> 32);
}

std::uint32_t entryOf(std::uint64_t item)
{
    return static_cast<std::uint32_t>(item);
}

} // namespace

SortKeys::SortKeys(bool numbersFirst, std::size_t rows) : numbersFirst_(numbersFirst), rows_(rows)
{
    if (rows > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("too many rows to sort");
    if (numbersFirst)
        numbers_.reserve(rows);
    for (std::vector<std::uint32_t>& words : heads_)
        words.reserve(rows);
    lengths_.reserve(rows);
    tailBegins_.reserve(rows);
    slots_.reserve(rows);
    positions_.reserve(rows);
}

void SortKeys::add(std::string_view cell, int slot, std::size_t position)
{
    if (position >= rows_ || slots_.size() == rows_)
        throw std::out_of_range("sort position " + std::to_string(position));
    if (cell.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("cell too long to sort");
    positions_.push_back(static_cast<std::uint32_t>(position));
    if (numbersFirst_) {
        const std::uint64_t number =
            static_cast<std::uint64_t>(leadingNumber(cell)) ^ (std::uint64_t{1} << 63);
        numbers_.push_back(number);
        lowestNumber_ = std::min(lowestNumber_, number);
        highestNumber_ = std::max(highestNumber_, number);
    }
    // The head folded into zeros once, then read as words.
    std::array<unsigned char, kHeadBytes> head{};
    const std::size_t headBytes = std::min(cell.size(), kHeadBytes);
    for (std::size_t i = 0; i < headBytes; ++i)
        head[i] = fold(cell[i]);
    for (std::size_t word = 0; word < heads_.size(); ++word) {
        const unsigned char* bytes = head.data() + word * kWordBytes;
        heads_[word].push_back(std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
                               std::uint32_t{bytes[2]} << 8 | bytes[3]);
    }
    lengths_.push_back(static_cast<std::uint32_t>(cell.size()));
    tailBegins_.push_back(tails_.size());
    slots_.push_back(slot);
    if (cell.size() > kHeadBytes) {
        const std::size_t from = tails_.size();
        tails_.append(cell.substr(kHeadBytes));
        for (std::size_t i = from; i < tails_.size(); ++i)
            tails_[i] = static_cast<char>(fold(tails_[i]));
    }
}

std::uint32_t SortKeys::word(std::size_t entry, std::size_t index) const
{
    if (index < numberWords_) {
        const std::uint64_t number = numbers_[entry];
        if (numberWords_ == 1)
            return static_cast<std::uint32_t>(number - lowestNumber_);
        return static_cast<std::uint32_t>(index == 0 ? number >> 32 : number);
    }
    const std::size_t textWord = index - numberWords_;
    if (textWord < heads_.size())
        return heads_[textWord][entry];
    const std::size_t offset = textWord * kWordBytes;
    const std::size_t length = lengths_[entry];
    if (offset >= length)
        return 0;
    return loadWord(tails_.data() + tailBegins_[entry] + (offset - kHeadBytes),
                    std::min(kWordBytes, length - offset), false);
}

// Stable sort by the words in the items' high halves. The items of a run come in the order
// of their positions, so equal words stay in position order.
void SortKeys::sortByWord(std::uint64_t* first, std::uint64_t* last)
{
    const std::ptrdiff_t count = last - first;
    auto less = [](std::uint64_t a, std::uint64_t b) { return high(a) < high(b); };
    if (count <= kInsertionRun) {
        for (std::uint64_t* next = first + 1; next < last; ++next) {
            const std::uint64_t item = *next;
            std::uint64_t* place = next;
            for (; place > first && less(item, place[-1]); --place)
                *place = place[-1];
            *place = item;
        }
        return;
    }
    if (count <= kComparisonRun) {
        std::stable_sort(first, last, less);
        return;
    }
    std::uint32_t any = 0, all = ~std::uint32_t{0};
    for (const std::uint64_t* item = first; item < last; ++item) {
        any |= high(*item);
        all &= high(*item);
    }
    // The bytes in which no two words differ are passed over.
    std::array<int, 4> shifts{};
    std::size_t digits = 0;
    for (int shift = 32; shift < 64; shift += 8) {
        if ((((any ^ all) >> (shift - 32)) & 0xFF) != 0)
            shifts[digits++] = shift;
    }
    if (digits == 0)
        return;
    if (scratch_.size() < static_cast<std::size_t>(count))
        scratch_.resize(static_cast<std::size_t>(count));
    auto digitOf = [](std::uint64_t item, int shift) {
        return static_cast<std::size_t>((item >> shift) & 0xFF);
    };

    if (count > kCachedRun && digits > 1) {
        const int top = shifts[digits - 1];
        std::array<std::size_t, 257> place{};
        for (const std::uint64_t* item = first; item < last; ++item)
            ++place[digitOf(*item, top) + 1];
        for (std::size_t bucket = 1; bucket < place.size(); ++bucket)
            place[bucket] += place[bucket - 1];
        const std::array<std::size_t, 257> begins = place;
        for (const std::uint64_t* item = first; item < last; ++item)
            scratch_[place[digitOf(*item, top)]++] = *item;
        std::copy(scratch_.begin(), scratch_.begin() + count, first);
        for (std::size_t bucket = 0; bucket < 256; ++bucket)
            sortByWord(first + begins[bucket], first + begins[bucket + 1]);
        return;
    }

    std::array<std::array<std::size_t, 256>, 4> counts{};
    for (const std::uint64_t* item = first; item < last; ++item) {
        for (std::size_t d = 0; d < digits; ++d)
            ++counts[d][digitOf(*item, shifts[d])];
    }
    std::uint64_t* from = first;
    std::uint64_t* to = scratch_.data();
    for (std::size_t d = 0; d < digits; ++d) {
        std::size_t sum = 0;
        for (std::size_t& bucket : counts[d])
            sum += std::exchange(bucket, sum);
        for (const std::uint64_t* item = from; item < from + count; ++item)
            to[counts[d][digitOf(*item, shifts[d])]++] = *item;
        std::swap(from, to);
    }
    if (from != first)
        std::copy(from, from + count, first);
}

std::vector<int> SortKeys::sortedSlots(int direction)
{
    const std::size_t rows = rows_;
    if (slots_.size() != rows)
        throw std::logic_error("sort keys missing");
    // Each item: the word being sorted by in the high half, the entry in the low half; in
    // position order to begin with.
    constexpr std::uint64_t kUnset = ~std::uint64_t{0};
    std::vector<std::uint64_t> items(rows, kUnset);
    for (std::size_t entry = 0; entry < rows; ++entry) {
        std::uint64_t& item = items[positions_[entry]];
        if (item != kUnset)
            throw std::logic_error("two sort keys for one position");
        item = entry;
    }
    std::vector<int> slots;
    slots.reserve(rows);
    if (direction == 0 || rows < 2) {
        for (std::uint64_t item : items)
            slots.push_back(slots_[entryOf(item)]);
        return slots;
    }
    const std::uint64_t spread = numbersFirst_ ? highestNumber_ - lowestNumber_ : 0;
    numberWords_ = spread == 0 ? 0 : (spread <= std::numeric_limits<std::uint32_t>::max() ? 1 : 2);
    // Descending is ascending with the words' bits turned over, but equal cells still in
    // position order, and of texts equal up to where the shorter ends the longer first.
    const std::uint32_t flip = direction < 0 ? ~std::uint32_t{0} : 0;
    auto load = [&](std::uint64_t& item, std::size_t index) {
        const std::uint32_t entry = entryOf(item);
        item = std::uint64_t{word(entry, index) ^ flip} << 32 | entry;
    };
    for (std::uint64_t& item : items)
        load(item, 0);

    // Sort a run by its words at `index`; runs of equal words then go on to the next word,
    // until their texts end.
    struct Run {
        std::size_t begin;
        std::size_t end;
        std::size_t index;
    };
    std::vector<Run> runs{{0, rows, 0}};
    auto lengthOf = [&](std::uint64_t item) { return lengths_[entryOf(item)]; };
    while (!runs.empty()) {
        const Run run = runs.back();
        runs.pop_back();
        std::uint64_t* const first = items.data() + run.begin;
        std::uint64_t* const last = items.data() + run.end;
        sortByWord(first, last);
        const bool numberRead = run.index + 1 >= numberWords_;
        const std::size_t textRead = numberRead ? (run.index + 1 - numberWords_) * kWordBytes : 0;
        for (std::uint64_t* same = first; same < last;) {
            std::uint64_t* end = same + 1;
            while (end < last && high(*end) == high(*same))
                ++end;
            if (end - same > 1) {
                // One pass over the run's entries reads the next words and the lengths.
                bool longer = !numberRead;
                bool lengthsDiffer = false;
                const std::uint32_t length = lengthOf(*same);
                for (std::uint64_t* item = same; item < end; ++item) {
                    longer = longer || lengthOf(*item) > textRead;
                    lengthsDiffer = lengthsDiffer || lengthOf(*item) != length;
                    load(*item, run.index + 1);
                }
                if (longer) {
                    runs.push_back({static_cast<std::size_t>(same - items.data()),
                                    static_cast<std::size_t>(end - items.data()), run.index + 1});
                } else if (lengthsDiffer) {
                    // Equal bytes up to each end: only zero bytes at the end of the longer
                    // text make a difference, and the text that ends first comes first.
                    std::stable_sort(same, end, [&](std::uint64_t a, std::uint64_t b) {
                        return direction > 0 ? lengthOf(a) < lengthOf(b)
                                             : lengthOf(a) > lengthOf(b);
                    });
                }
            }
            same = end;
        }
    }

    for (std::uint64_t item : items)
        slots.push_back(slots_[entryOf(item)]);
    return slots;
}

} // namespace grimtally
