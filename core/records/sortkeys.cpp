// The sort of a header click from its start to the rows in their new order, and the keys
// made from the cells.
#include "core/records/sortkeys.h"

#include "core/records/listcells.h"
#include "core/records/sortkeys_sorter.h"
#include "core/records/twoparts.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <optional>
#include <stdexcept>

namespace grimtally {

namespace sortkeys {

namespace {

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

} // namespace

void keyWords(std::string_view cell, std::int64_t number, std::size_t offset, const Layout& layout,
              std::span<std::uint32_t> words)
{
    const std::size_t numberBytes = layout.numberBytes;
    std::size_t word = 0;
    for (; word < words.size() && offset + 4 * word < numberBytes; ++word) {
        const std::uint64_t biased =
            numberBytes == 4 ? std::uint64_t{static_cast<std::uint32_t>(number) ^ 0x80000000u}
                             : static_cast<std::uint64_t>(number) ^ (std::uint64_t{1} << 63);
        const std::size_t shift = 8 * (numberBytes - 4 - (offset + 4 * word));
        words[word] = static_cast<std::uint32_t>(biased >> shift);
    }
    if (word == words.size())
        return;
    // The text's bytes copied into zeros, folded eight at a time, read back big-endian.
    const std::size_t from = offset + 4 * word - numberBytes;
    std::array<std::uint64_t, 3> folded{};
    if (from < cell.size()) {
        const std::size_t wanted = 4 * (words.size() - word);
        std::memcpy(folded.data(), cell.data() + from, std::min(cell.size() - from, wanted));
    }
    for (std::uint64_t& eight : folded)
        eight = foldEight(eight);
    const auto* bytes = reinterpret_cast<const unsigned char*>(folded.data());
    for (std::size_t at = 0; word < words.size(); ++word, at += 4) {
        words[word] = std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
                      std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
    }
}

bool firstKey(std::string_view cell, std::uint32_t position, const Layout& layout, Item& item)
{
    const std::int64_t number = layout.numbersFirst ? leadingNumber(cell) : 0;
    bool fits = true;
    if (layout.numberBytes == 0)
        fits = number == layout.number;
    else if (layout.numberBytes == 4)
        fits = number >= std::numeric_limits<std::int32_t>::min() &&
               number <= std::numeric_limits<std::int32_t>::max();
    keyWords(cell, number, 0, layout, item.key);
    const std::size_t textRead = kFirstRoundBytes - layout.numberBytes;
    const std::string_view read = cell.substr(0, std::min(cell.size(), textRead));
    const bool goesOn = cell.size() > textRead || read.find('\0') != std::string_view::npos;
    item.place = position | (goesOn ? kGoesOn : 0);
    return fits;
}

void laterKey(std::string_view cell, std::size_t offset, const Layout& layout, Item& item)
{
    const std::size_t length = layout.numberBytes + cell.size();
    // Later rounds read past the number.
    keyWords(cell, 0, offset, layout, std::span<std::uint32_t>(item.key).first(4));
    item.key[4] =
        static_cast<std::uint32_t>(std::min<std::size_t>(length, offset + kLaterRoundBytes + 1));
    item.place = (item.place & kPositionMask) | (length > offset + kLaterRoundBytes ? kGoesOn : 0);
}

std::size_t roundOffset(int round)
{
    return round == 0 ? 0
                      : kFirstRoundBytes + kLaterRoundBytes * static_cast<std::size_t>(round - 1);
}

} // namespace sortkeys

using namespace sortkeys;

void SortKeys::sortRows(std::span<int> rows, bool numbersFirst, int direction,
                        const CellSource& cells)
{
    const std::size_t count = rows.size();
    if (count < 2 || direction == 0)
        return;
    if (count > kPositionMask)
        throw std::length_error("too many rows to sort");
    const bool two = count >= kTwoThreadRows;
    Layout layout{numbersFirst, numbersFirst ? std::size_t{4} : 0, 0, direction > 0 ? 1 : -1,
                  direction > 0 ? 0 : ~std::uint32_t{0}};

    // The records are read in slot order, front to back in the store, whatever order the
    // rows are in: each slot is told where its row is. The list's rows are its slots from 1
    // on, so the item of each slot takes its position, and no map is needed.
    const auto [lowest, highest] = std::minmax_element(rows.begin(), rows.end());
    if (*lowest < 0 || static_cast<std::size_t>(*highest - *lowest) + 1 != count)
        throw std::invalid_argument("the rows are not every slot of a range once");
    const int firstSlot = *lowest;
    Items items(count);
    for (Item& item : items)
        item.place = kGoesOn; // no position yet
    for (std::size_t row = 0; row < count; ++row) {
        Item& item = items[static_cast<std::size_t>(rows[row] - firstSlot)];
        if (item.place != kGoesOn)
            throw std::invalid_argument("a slot in two rows");
        item.place = static_cast<std::uint32_t>(row);
    }

    // Where every cell has the same number, as in the columns of words, the key is the text
    // alone, and twenty of its bytes are read at once: a sample of the cells guesses so, and
    // the keys are made again in the rare case it was wrong.
    if (numbersFirst) {
        std::string cell;
        std::optional<std::int64_t> same;
        const std::size_t step = std::max<std::size_t>(1, count / 64);
        for (std::size_t row = 0; row < count; row += step) {
            cell.clear();
            cells(rows[row], cell);
            const std::int64_t number = leadingNumber(cell);
            if (same && *same != number) {
                same.reset();
                break;
            }
            same = number;
        }
        if (same) {
            layout.numberBytes = 0;
            layout.number = *same;
        }
    }
    const auto makeKeys = [&] {
        std::array<bool, 2> fit{true, true};
        inTwoParts(two, [&](int part) {
            // What the loop reads is copied to this thread's own stack first: a line of the
            // other thread's stack it wrote to would bounce between the cores.
            const Layout mine = layout;
            Item* const into = items.data();
            const std::size_t from = part == 0 ? 0 : count / 2;
            const std::size_t to = part == 0 ? count / 2 : count;
            std::string cell;
            bool fits = true;
            for (std::size_t entry = from; entry < to; ++entry) {
                Item& item = into[entry];
                cell.clear();
                cells(firstSlot + static_cast<int>(entry), cell);
                fits = firstKey(cell, item.place & kPositionMask, mine, item) && fits;
            }
            fit[static_cast<std::size_t>(part)] = fits;
        });
        return fit[0] && fit[1];
    };
    while (!makeKeys()) {
        // The cells' numbers differ after all, or some needs more than four bytes.
        layout.numberBytes = layout.numberBytes == 0 ? 4 : 8;
        layout.number = 0;
    }

    sortItems(items, layout, rows, cells, two);

    // Row i now shows what the row at items[i]'s position showed. The items' room takes,
    // one after the other, the positions (each written where items already read lay) and a
    // copy of the rows as they were, so that the rows are gathered without more memory.
    char* const room = reinterpret_cast<char*>(items.data());
    for (std::size_t row = 0; row < count; ++row) {
        const std::uint32_t position = items[row].place & kPositionMask;
        std::memcpy(room + 4 * row, &position, 4);
    }
    char* const before = room + 4 * count;
    std::memcpy(before, rows.data(), 4 * count);
    for (std::size_t row = 0; row < count; ++row) {
        std::uint32_t position;
        std::memcpy(&position, room + 4 * row, 4);
        std::memcpy(&rows[row], before + 4 * std::size_t{position}, 4);
    }
}

} // namespace grimtally
