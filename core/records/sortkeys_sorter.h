// The inside of SortKeys, shared by the files that build the keys, sort them by radix and
// split the work between two threads: how a key is read a word at a time, and the sorter.
#pragma once

#include "core/records/sortkeys.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace grimtally::sortkeys {

constexpr std::size_t kWordBytes = 4;
constexpr std::size_t kHeadBytes = 4 * kWordBytes;

template <typename T> inline T loadAs(const char* bytes)
{
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// Big-endian with zeros after the end, so that comparing words as numbers compares their
// bytes in order; built in a register, as bytes stored and read back at once would wait.
inline std::uint32_t loadWord(const char* bytes, std::size_t count)
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

// An item: the word being sorted by in the high half, the entry in the low half.
inline std::uint32_t high(std::uint64_t item)
{
    return static_cast<std::uint32_t>(item >> 32);
}

inline std::uint32_t entryOf(std::uint64_t item)
{
    return static_cast<std::uint32_t>(item);
}

inline std::size_t digitOf(std::uint64_t item, int shift)
{
    return static_cast<std::size_t>((item >> shift) & 0xFF);
}

} // namespace grimtally::sortkeys

namespace grimtally {

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
    // Inline (below): making the first items reads one word of every key.
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

inline std::uint32_t SortKeys::Sorter::word(std::uint32_t entry, std::size_t index) const
{
    using namespace sortkeys;
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

} // namespace grimtally
