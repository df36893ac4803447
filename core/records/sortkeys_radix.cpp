// The radix sort of the keys: runs of items sorted by one word of their keys at a time, by
// insertion, by merging or by the bytes in which their words differ.
#include "core/records/sortkeys_sorter.h"

#include <utility>

namespace grimtally {

using namespace sortkeys;

namespace {

// Runs up to these sizes are sorted by insertion and by merging, larger ones by radix;
// above kCachedRun a run is first split by its most significant byte, so that the passes
// over each part stay in the cache.
constexpr std::ptrdiff_t kInsertionRun = 16;
constexpr std::ptrdiff_t kComparisonRun = 64;
constexpr std::ptrdiff_t kCachedRun = std::ptrdiff_t{1} << 17;
// How many items ahead the words a sort gathers are asked for.
constexpr std::ptrdiff_t kPrefetchAhead = 8;

} // namespace

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

} // namespace grimtally
