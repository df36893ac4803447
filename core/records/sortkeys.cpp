// Building the keys of a header-click sort (each cell read once into a number and folded
// bytes), and the sort of them as a whole; the radix sort and the two-thread split are in
// sortkeys_radix.cpp and sortkeys_split.cpp.
#include "core/records/sortkeys.h"

#include "core/records/listcells.h"
#include "core/records/sortkeys_sorter.h"

#include <limits>
#include <stdexcept>
#include <utility>

namespace grimtally {

using namespace sortkeys;

namespace {

constexpr std::uint32_t kUnsetPosition = ~std::uint32_t{0};

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

} // namespace

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

} // namespace grimtally
