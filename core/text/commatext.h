// Comma text: the one way a list of strings becomes a single line and back again
// (data file lines, the ability and sub-sense fields, split rows of the choice file).
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace grimtally {

// Items are quoted when they hold a byte <= 0x20, a double quote or a comma; inner quotes
// are doubled. An empty list gives "", a single empty item gives two double quotes.
std::string joinCommaText(std::span<const std::string> items);
std::string joinCommaText(std::span<const std::string_view> items);
// The same appended to `out`, for a writer that builds a line in one buffer. `readable`,
// when not null, says the items lie in memory that may be read up to there, past their ends.
void appendCommaText(std::string& out, std::span<const std::string_view> items,
                     const char* readable = nullptr);

// Splits by the comma text rules. Two choices of ours for input the program never writes:
// a comma followed only by blanks ends the text with an empty item, like a final comma;
// a double quote that is never closed takes the rest of the text as its item. The NUL byte
// counts as a blank, so nothing after it is lost.
std::vector<std::string> splitCommaText(std::string_view text);

// The same, appending to `out` (cleared first); reuses its capacity in tight loops.
void splitCommaTextInto(std::string_view text, std::vector<std::string>& out);

// The same, but gives up as soon as the text turns out to hold more than `maxItems` items:
// then it returns false and `out` holds the first maxItems. A reader that only wants lines
// of a known length thus spends nothing on a line of a million commas.
bool splitCommaTextAtMost(std::string_view text, std::size_t maxItems,
                          std::vector<std::string>& out);

// The items of a split as one run of bytes and their lengths: no string per item, for a
// reader that keeps records compactly. Its buffers keep their size from split to split.
struct ItemRuns {
    std::size_t count = 0;            // items
    std::size_t byteCount = 0;        // bytes of all items
    std::vector<std::size_t> lengths; // the first `count` are the items' lengths
    std::vector<char> bytes;          // the first `byteCount` are their bytes, back to back
};

// `readable`, when not null, says the text lies in memory that may be read up to there,
// past its end, so that its last items are read in blocks too.
bool splitCommaTextAtMost(std::string_view text, std::size_t maxItems, ItemRuns& out,
                          const char* readable = nullptr);

} // namespace grimtally
