// The two-thread split of a large sort: the items parted by the byte in which their first
// words differ, each part sorted on its own thread.
#include "core/records/sortkeys_sorter.h"
#include "core/records/twoparts.h"

namespace grimtally {

using namespace sortkeys;

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
