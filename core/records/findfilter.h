// The find bar's rule: a record's row stays when every word typed occurs in one of the cells
// the row shows, words and cells compared folded (letter case, width, kana: cp932fold.h).
#pragma once

#include "core/records/listcells.h"
#include "core/records/recordstore.h"
#include "core/text/cp932fold.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace grimtally {

class FindQuery {
public:
    using Word = std::vector<FoldedUnit>;

    FindQuery() = default; // no words: keeps every record
    // `typed`: what the user typed, as code page 932 bytes; blanks (ASCII or ideographic)
    // separate the words. `cellWords`: the words the cells are joined with.
    FindQuery(std::string_view typed, CellWords cellWords);

    bool empty() const { return words_.empty(); }
    const std::vector<Word>& words() const { return words_; }
    const CellWords& cellWords() const { return cellWords_; }

    // True when every record this query keeps, `wider` keeps too: each word of `wider` lies
    // in a word of this one, as when the user types on.
    bool narrows(const FindQuery& wider) const;

    // The rule itself, made plain: every word occurs in one of the record's cells.
    bool matches(std::string_view name, CellFields fields) const;

private:
    std::vector<Word> words_;
    CellWords cellWords_;
};

// From this many slots on, findRecords works on two threads.
inline constexpr std::size_t kFindTwoThreadSlots = std::size_t{1} << 14;

// Sets kept[slot] to 1 for each of `slots` whose record FindQuery::matches, else to 0;
// `kept` has a byte for every slot of the store. Looks for the words in the records' own
// bytes instead of making and folding every cell, so that a keystroke at a million records
// costs little more than a read of their bytes. Returns how many of `slots` it kept.
std::size_t findRecords(const RecordStore& store, const FindQuery& query,
                        std::span<const int> slots, std::span<std::uint8_t> kept);

} // namespace grimtally
