#include "core/records/sortkeys.h"

#include "core/records/listcells.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

namespace grimtally {

namespace {

constexpr std::size_t kWordBytes = 4;
constexpr std::size_t kHeadBytes = 4 * kWordBytes;
constexpr std::uint32_t kUnsetPosition = ~std::uint32_t{0};
// Runs up to these sizes are sorted by insertion and by merging, larger ones by radix;
// above kCachedRun a run is first split by its most significant byte, so that the passes
// over each part stay in the cache.
constexpr std::ptrdiff_t kInsertionRun = 16;
constexpr std::ptrdiff_t kComparisonRun = 64;
constexpr std::ptrdiff_t kCachedRun = std::ptrdiff_t{1} << 17;
// How many items ahead the words a sort gathers are asked for.
constexpr std::ptrdiff_t kPrefetchAhead = 8;

constexpr std::uint64_t kOnes = 0x0101010101010101;

// a..z as A..Z and nothing else, as compareListText folds, eight bytes at once: a byte
// whose high bit is clear and whose value lies in a..z loses its 0x20.
std::uint64_t foldEight(std::uint64_t bytes)
{
    const std::uint64_t low = bytes & (0x7F * kOnes);
    const std::uint64_t fromA = low + (0x80 - 'a') * kOnes;
    const std::uint64_t pastZ = low + (0x80 - 'z' - 1) * kOnes;
    const std::uint64_t lower = fromA & ~pastZ & ~bytes & (0x80 * kOnes);
    return bytes ^ (lower >> 2);
}

void foldInPlace(char* bytes, std::size_t count)
{
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t eight;
        std::memcpy(&eight, bytes + i, 8);
        eight = foldEight(eight);
        std::memcpy(bytes + i, &eight, 8);
    }
    for (; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 'a' && byte <= 'z')
            bytes[i] = static_cast<char>(byte - 'a' + 'A');
    }
}

template <typename T> T loadAs(const char* bytes)
{
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// The first sixteen bytes of a text as two numbers of this machine's order, zero past its
// end; read with overlapping loads, as bytes stored and read back at once in wider loads
// would wait for the stores.
std::array<std::uint64_t, 2> headOf(const char* bytes, std::size_t count)
{
    using U64 = std::uint64_t;
    if (count >= 16)
        return {loadAs<U64>(bytes), loadAs<U64>(bytes + 8)};
    if (count > 8)
        return {loadAs<U64>(bytes), loadAs<U64>(bytes + count - 8) >> (8 * (16 - count))};
    if (count == 8)
        return {loadAs<U64>(bytes), 0};
    if (count >= 4)
        return {loadAs<std::uint32_t>(bytes) | U64{loadAs<std::uint32_t>(bytes + count - 4)}
                                                   << (8 * (count - 4)),
                0};
    if (count == 0)
        return {0, 0};
    auto byte = [&](std::size_t at) {
        return U64{static_cast<unsigned char>(bytes[at])} << (8 * at);
    };
    return {byte(0) | byte(count / 2) | byte(count - 1), 0};
}

// Big-endian with zeros after the end, so that comparing words as numbers compares their
// bytes in order; built in a register, as bytes stored and read back at once would wait.
std::uint32_t loadWord(const char* bytes, std::size_t count)
{
    if (count >= kWordBytes) {
        const std::uint32_t word = loadAs<std::uint32_t>(bytes);
        if constexpr (std::endian::native == std::endian::little)
            return __builtin_bswap32(word);
        return word;
    }
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < count; ++i)
        word |= std::uint32_t{static_cast<unsigned char>(bytes[i])} << (24 - 8 * i);
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

std::size_t digitOf(std::uint64_t item, int shift)
{
    return static_cast<std::size_t>((item >> shift) & 0xFF);
}

} // namespace

// Sorts runs of items by their keys' words: each item the word being sorted by in the high
// half, the entry in the low half. Each thread has its own.
class SortKeys::Sorter {
public:
    Sorter(const SortKeys& keys, int direction, std::size_t numberWords, std::uint64_t lowest)
        : numbers_(keys.numbers_.data()), heads_(keys.heads_.data()),
          lengths_(keys.lengths_.data()), tailBegins_(keys.tailBegins_.data()),
          firstOfSecond_(keys.firstOfSecond_), tails_{keys.tails_[0].bytes.data(),
                                                      keys.tails_[1].bytes.data()},
          direction_(direction), numberWords_(numberWords), lowest_(lowest),
          flip_(direction < 0 ? ~std::uint32_t{0} : 0)
    {}

    // The key is read four bytes at a time: the number when numbers come first, then the
    // folded text, big-endian and zero past its end. Descending is ascending with the
    // words' bits turned over.
    std::uint64_t item(std::uint32_t entry, std::size_t index) const
    {
        return std::uint64_t{word(entry, index) ^ flip_} << 32 | entry;
    }

    // Sorts a run whose items hold their first words, in position order; runs of equal
    // words then go on to the next word, until their texts end. With `levels` 0 only the
    // first words are sorted; with 1 they are taken as sorted already, and only the runs of
    // equal first words are sorted further; else both.
    void sortRun(std::uint64_t* first, std::uint64_t* last, int levels = 2);

private:
    std::uint32_t word(std::uint32_t entry, std::size_t index) const;
    // The entries of a run come in key order, so the words they read next lie anywhere in
    // the arrays: the cache is asked for them a few entries ahead, for a word of the tails
    // in two steps (where it begins, then its bytes).
    void prefetchWord(std::uint32_t entry, std::size_t index, bool near) const;
    void sortByWord(std::uint64_t* first, std::uint64_t* last);

    // The keys' arrays, kept here on the sorting thread's own stack: a line of another
    // thread's stack that it writes to would bounce between the cores.
    const std::uint64_t* numbers_;
    const Head* heads_;
    const std::uint32_t* lengths_;
    const std::size_t* tailBegins_;
    std::size_t firstOfSecond_;
    std::array<const char*, 2> tails_;
    int direction_;
    std::size_t numberWords_;
    std::uint64_t lowest_;
    std::uint32_t flip_;
    std::vector<std::uint64_t> scratch_;
};

std::uint32_t SortKeys::Sorter::word(std::uint32_t entry, std::size_t index) const
{
    if (index < numberWords_) {
        const std::uint64_t number = numbers_[entry];
        if (numberWords_ == 1)
            return static_cast<std::uint32_t>(number - lowest_);
        return static_cast<std::uint32_t>(index == 0 ? number >> 32 : number);
    }
    const std::size_t textWord = index - numberWords_;
    if (textWord < kHeadBytes / kWordBytes)
        return heads_[entry][textWord];
    const std::size_t offset = textWord * kWordBytes;
    const std::size_t length = lengths_[entry];
    if (offset >= length)
        return 0;
    const char* tails = tails_[entry >= firstOfSecond_ ? 1 : 0];
    return loadWord(tails + tailBegins_[entry] + (offset - kHeadBytes),
                    std::min(kWordBytes, length - offset));
}

void SortKeys::Sorter::prefetchWord(std::uint32_t entry, std::size_t index, bool near) const
{
    if (index < numberWords_) {
        if (near)
            __builtin_prefetch(numbers_ + entry);
        return;
    }
    const std::size_t textWord = index - numberWords_;
    if (textWord < kHeadBytes / kWordBytes) {
        if (near)
            __builtin_prefetch(heads_ + entry);
        return;
    }
    if (!near) {
        __builtin_prefetch(tailBegins_ + entry);
        __builtin_prefetch(lengths_ + entry);
        return;
    }
    const std::size_t offset = textWord * kWordBytes;
    if (offset < lengths_[entry]) {
        const char* tails = tails_[entry >= firstOfSecond_ ? 1 : 0];
        __builtin_prefetch(tails + tailBegins_[entry] + (offset - kHeadBytes));
    }
}

// Stable sort by the words in the items' high halves. The items of a run come in the order
// of their positions, so equal words stay in position order.
void SortKeys::Sorter::sortByWord(std::uint64_t* first, std::uint64_t* last)
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

void SortKeys::Sorter::sortRun(std::uint64_t* begin, std::uint64_t* end, int levels)
{
    if (levels != 1)
        sortByWord(begin, end);
    if (levels == 0)
        return;
    struct Run {
        std::uint64_t* first;
        std::uint64_t* last;
        std::size_t index;
    };
    std::vector<Run> runs{{begin, end, 0}};
    auto lengthOf = [&](std::uint64_t item) { return lengths_[entryOf(item)]; };
    while (!runs.empty()) {
        const Run run = runs.back();
        runs.pop_back();
        std::uint64_t* const first = run.first;
        std::uint64_t* const last = run.last;
        if (run.index > 0)
            sortByWord(first, last);
        const bool numberRead = run.index + 1 >= numberWords_;
        const std::size_t textRead = numberRead ? (run.index + 1 - numberWords_) * kWordBytes : 0;
        for (std::uint64_t* same = first; same < last;) {
            std::uint64_t* sameEnd = same + 1;
            while (sameEnd < last && high(*sameEnd) == high(*same))
                ++sameEnd;
            if (sameEnd - same > 1) {
                // The next words first: a word not zero means more text. Only where all
                // are zero are the lengths read, to tell zero bytes from ended texts.
                bool longer = !numberRead;
                for (std::uint64_t* each = same; each < sameEnd; ++each) {
                    if (last - each > 2 * kPrefetchAhead)
                        prefetchWord(entryOf(each[2 * kPrefetchAhead]), run.index + 1, false);
                    if (last - each > kPrefetchAhead)
                        prefetchWord(entryOf(each[kPrefetchAhead]), run.index + 1, true);
                    *each = item(entryOf(*each), run.index + 1);
                    longer = longer || (high(*each) ^ flip_) != 0;
                }
                bool lengthsDiffer = false;
                if (!longer) {
                    const std::uint32_t length = lengthOf(*same);
                    for (std::uint64_t* each = same; each < sameEnd; ++each) {
                        longer = longer || lengthOf(*each) > textRead;
                        lengthsDiffer = lengthsDiffer || lengthOf(*each) != length;
                    }
                }
                if (longer) {
                    runs.push_back({same, sameEnd, run.index + 1});
                } else if (lengthsDiffer) {
                    // Equal bytes up to each end: only zero bytes at the end of the longer
                    // text make a difference, and the text that ends first comes first.
                    std::stable_sort(same, sameEnd, [&](std::uint64_t a, std::uint64_t b) {
                        return direction_ > 0 ? lengthOf(a) < lengthOf(b)
                                              : lengthOf(a) > lengthOf(b);
                    });
                }
            }
            same = sameEnd;
        }
    }
}

SortKeys::SortKeys(bool numbersFirst, std::size_t rows)
    : numbersFirst_(numbersFirst), rows_(rows), firstOfSecond_(rows)
{
    if (rows >= kUnsetPosition)
        throw std::length_error("too many rows to sort");
    if (numbersFirst)
        numbers_.resize(rows);
    heads_.resize(rows);
    lengths_.resize(rows);
    tailBegins_.resize(rows);
    slots_.resize(rows);
    positions_.assign(rows, kUnsetPosition);
}

void SortKeys::splitAt(std::size_t firstOfSecond)
{
    firstOfSecond_ = std::min(firstOfSecond, rows_);
}

void SortKeys::set(std::size_t entry, std::string_view cell, int slot, std::size_t position)
{
    if (entry >= rows_ || position >= rows_)
        throw std::out_of_range("sort entry " + std::to_string(entry) + " at " +
                                std::to_string(position));
    if (cell.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("cell too long to sort");
    positions_[entry] = static_cast<std::uint32_t>(position);
    if (numbersFirst_) {
        const std::uint64_t number =
            static_cast<std::uint64_t>(leadingNumber(cell)) ^ (std::uint64_t{1} << 63);
        numbers_[entry] = number;
    }
    if constexpr (std::endian::native == std::endian::little) {
        const std::array<std::uint64_t, 2> head = headOf(cell.data(), cell.size());
        Head words;
        for (std::size_t half = 0; half < head.size(); ++half) {
            const std::uint64_t folded = foldEight(head[half]);
            words[2 * half] = __builtin_bswap32(static_cast<std::uint32_t>(folded));
            words[2 * half + 1] = __builtin_bswap32(static_cast<std::uint32_t>(folded >> 32));
        }
        heads_[entry] = words;
    } else {
        // The head folded into zeros once, then read as words.
        std::array<char, kHeadBytes> head{};
        std::memcpy(head.data(), cell.data(), std::min(cell.size(), kHeadBytes));
        foldInPlace(head.data(), head.size());
        for (std::size_t word = 0; word < heads_[entry].size(); ++word)
            heads_[entry][word] = loadWord(head.data() + word * kWordBytes, kWordBytes);
    }
    lengths_[entry] = static_cast<std::uint32_t>(cell.size());
    std::string& tails = tails_[entry >= firstOfSecond_ ? 1 : 0].bytes;
    tailBegins_[entry] = tails.size();
    slots_[entry] = slot;
    if (cell.size() > kHeadBytes) {
        const std::size_t from = tails.size();
        tails.append(cell.substr(kHeadBytes));
        foldInPlace(tails.data() + from, tails.size() - from);
    }
}

std::vector<int> SortKeys::sortedSlots(int direction)
{
    const std::size_t rows = rows_;
    const bool two = rows >= kTwoThreadRows;
    auto partOf = [rows](int part) {
        return std::pair{part == 0 ? 0 : rows / 2, part == 0 ? rows / 2 : rows};
    };
    std::uint64_t lowest = ~std::uint64_t{0}, highest = 0;
    for (std::uint64_t number : numbers_) {
        lowest = std::min(lowest, number);
        highest = std::max(highest, number);
    }
    const std::uint64_t spread = numbers_.empty() ? 0 : highest - lowest;
    // Words the numbers take: none when they are all equal, one when they lie within 2^32
    // of each other (counted from the lowest), else two.
    const std::size_t numberWords =
        spread == 0 ? 0 : (spread <= std::numeric_limits<std::uint32_t>::max() ? 1 : 2);
    const bool sorting = direction != 0 && rows >= 2;

    // In position order to begin with: each entry is put at its position, its first word
    // read on the way in entry order. The bits in which first words differ are noted.
    KeyArray<std::uint64_t> items(rows, ~std::uint64_t{0});
    std::array<std::uint32_t, 2> any{}, all{~std::uint32_t{0}, ~std::uint32_t{0}};
    const Sorter first(*this, direction, numberWords, lowest);
    inTwoParts(two, [&](int part) {
        const auto [from, to] = partOf(part);
        std::uint32_t anyWord = 0, allWords = ~std::uint32_t{0};
        for (std::size_t entry = from; entry < to; ++entry) {
            const std::uint32_t position = positions_[entry];
            if (position == kUnsetPosition)
                throw std::logic_error("sort keys missing");
            const std::uint64_t item =
                sorting ? first.item(static_cast<std::uint32_t>(entry), 0) : entry;
            items[position] = item;
            anyWord |= high(item);
            allWords &= high(item);
        }
        any[static_cast<std::size_t>(part)] = anyWord;
        all[static_cast<std::size_t>(part)] = allWords;
    });
    // As many entries as positions, so a position left empty means one taken twice.
    if (std::find(items.begin(), items.end(), ~std::uint64_t{0}) != items.end())
        throw std::logic_error("two sort keys for one position");

    if (sorting && !two) {
        Sorter sorter(*this, direction, numberWords, lowest);
        sorter.sortRun(items.data(), items.data() + rows);
    } else if (sorting) {
        sortInTwoParts(items, any[0] | any[1], all[0] & all[1], direction, numberWords, lowest);
    }

    std::vector<int> slots(rows);
    inTwoParts(two, [&](int part) {
        const auto [from, to] = partOf(part);
        for (std::size_t row = from; row < to; ++row)
            slots[row] = slots_[entryOf(items[row])];
    });
    return slots;
}

// Splits the items by the highest byte in which their first words differ, each half of
// them on its own thread and each keeping its order, so that the split is stable; then each
// thread sorts whole parts of that split, about half of the items each.
void SortKeys::sortInTwoParts(KeyArray<std::uint64_t>& items, std::uint32_t any, std::uint32_t all,
                              int direction, std::size_t numberWords, std::uint64_t lowest) const
{
    const std::size_t rows = items.size();
    const std::uint32_t differ = any ^ all;
    if (differ == 0) {
        // One first word for all: only the next words can tell the items apart.
        Sorter sorter(*this, direction, numberWords, lowest);
        sorter.sortRun(items.data(), items.data() + rows, 1);
        return;
    }
    const int shift = 32 + 8 * ((31 - std::countl_zero(differ)) / 8);
    std::array<std::array<std::size_t, 256>, 2> counts{};
    const std::size_t half = rows / 2;
    inTwoParts(true, [&](int part) {
        std::array<std::size_t, 256> count{};
        const std::uint64_t* const from = items.data() + (part == 0 ? 0 : half);
        const std::uint64_t* const to = items.data() + (part == 0 ? half : rows);
        for (const std::uint64_t* item = from; item < to; ++item)
            ++count[digitOf(*item, shift)];
        counts[static_cast<std::size_t>(part)] = count;
    });
    // Where each bucket begins, and where each half writes into it.
    std::array<std::size_t, 257> begins{};
    std::array<std::array<std::size_t, 256>, 2> places{};
    for (std::size_t bucket = 0; bucket < 256; ++bucket) {
        places[0][bucket] = begins[bucket];
        places[1][bucket] = begins[bucket] + counts[0][bucket];
        begins[bucket + 1] = begins[bucket] + counts[0][bucket] + counts[1][bucket];
    }
    KeyArray<std::uint64_t> split(rows);
    inTwoParts(true, [&](int part) {
        std::array<std::size_t, 256> place = places[static_cast<std::size_t>(part)];
        std::uint64_t* const into = split.data();
        const std::uint64_t* const from = items.data() + (part == 0 ? 0 : half);
        const std::uint64_t* const to = items.data() + (part == 0 ? half : rows);
        for (const std::uint64_t* item = from; item < to; ++item)
            into[place[digitOf(*item, shift)]++] = *item;
    });
    items.swap(split);
    // The buckets sorted by their first words, the buckets before the edge nearest the
    // middle by the first thread.
    auto fromHalf = [half](std::size_t at) { return at > half ? at - half : half - at; };
    std::size_t middleBucket = 0;
    for (std::size_t bucket = 1; bucket <= 256; ++bucket) {
        if (fromHalf(begins[bucket]) < fromHalf(begins[middleBucket]))
            middleBucket = bucket;
    }
    inTwoParts(true, [&](int part) {
        Sorter sorter(*this, direction, numberWords, lowest);
        const std::size_t from = part == 0 ? 0 : middleBucket;
        const std::size_t to = part == 0 ? middleBucket : 256;
        for (std::size_t bucket = from; bucket < to; ++bucket)
            sorter.sortRun(items.data() + begins[bucket], items.data() + begins[bucket + 1], 0);
    });
    // The runs of equal first words are then shared between the threads at the run's edge
    // nearest the middle: a bucket may hold most of the items, a run of one word seldom does.
    std::uint64_t* const begin = items.data();
    std::uint64_t* const end = begin + rows;
    std::uint64_t* down = begin + half;
    while (down > begin && high(down[-1]) == high(*down))
        --down;
    std::uint64_t* up = begin + half;
    while (up < end && high(up[-1]) == high(*up))
        ++up;
    std::uint64_t* const middle = begin + half - down <= up - (begin + half) ? down : up;
    inTwoParts(true, [&](int part) {
        Sorter sorter(*this, direction, numberWords, lowest);
        if (part == 0)
            sorter.sortRun(begin, middle, 1);
        else
            sorter.sortRun(middle, end, 1);
    });
}

} // namespace grimtally
