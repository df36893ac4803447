#include "core/records/findfilter.h"

#include "core/records/twoparts.h"
#include "core/text/sjis.h"
#include "core/text/vectorcode.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string>

namespace grimtally {

namespace {

// The name and the fields up to the sub-senses: what the cells show. Strength, size and
// hardness follow them and are not shown.
constexpr int kShownTexts = 1 + FieldSubSenses + 1;

bool contains(std::span<const FoldedUnit> text, std::span<const FoldedUnit> word)
{
    return std::search(text.begin(), text.end(), word.begin(), word.end()) != text.end();
}

bool inTrailRange(unsigned char byte)
{
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// A joining word whose bytes cannot run into the fields beside it: not empty (a field never
// touches another), starting with no byte that could end a character a field began, ending
// neither in a lead byte alone nor in a half-width letter that a mark after it would voice.
bool joinsCleanly(std::string_view word)
{
    if (word.empty() || inTrailRange(static_cast<unsigned char>(word[0])))
        return false;
    FoldedStep last{};
    unsigned char lastByte = 0;
    for (std::string_view rest = word; !rest.empty(); rest.remove_prefix(last.bytes)) {
        last = foldedStep(rest);
        lastByte = static_cast<unsigned char>(rest[0]);
    }
    const bool strayLead = last.bytes == 1 && isCp932LeadByte(lastByte);
    const bool voiceable = last.bytes == 1 && lastByte >= 0xB3 && lastByte <= 0xCE;
    return !strayLead && !voiceable;
}

// The bytes that must follow a needle for a hit to be worth a look; no bytes: any hit is.
struct NeedleFollow {
    std::vector<unsigned char> bytes;
    std::vector<std::uint8_t> offsets; // by needle
};

// What a search for one word looks for in a record's bytes and how it goes on from there.
struct WordPlan {
    const FindQuery::Word* word = nullptr;
    // A piece every row shows holds the word: the slash or the hyphen word, a parenthesis.
    bool always = false;
    // The word holds units the joining words hold, so a match may run from a field into them.
    bool joined = false;
    // The run of units around the anchor with none of the joining words' units in it: a
    // match holds it within one field.
    std::size_t runBegin = 0;
    std::size_t runEnd = 0;
    // The anchor's forms in unfolded bytes, and per form which of its bytes is looked for.
    std::vector<RawForm> forms;
    std::vector<std::uint8_t> lookedAt;
    std::vector<unsigned char> needles; // those bytes, each once
    // Where the run goes on past the anchor: the first bytes of the next unit's forms, and
    // per needle how far after it they may stand (bit 0: one byte, bit 1: two), so that a
    // scan passes over needles that nothing of the word follows.
    NeedleFollow follow;
    FoldedUnit anchor = 0;
    // The forms of the units just before and after the anchor in the run: a hit that lacks
    // them is passed over at once.
    std::vector<RawForm> before;
    std::vector<RawForm> after;
    // The anchor is the word's first unit and the word holds no joining unit: a hit is
    // checked where it is, by the characters that follow it.
    bool startsWord = false;
    double cost = 0;

    std::span<const FoldedUnit> run() const
    {
        return std::span<const FoldedUnit>(*word).subspan(runBegin, runEnd - runBegin);
    }
};

// The sum of the first `count` of `bytes`: the length of a record's shown texts, worked out
// for every record a find looks at.
std::size_t sumOfBytes(std::span<const unsigned char> bytes, std::size_t count)
{
    std::size_t at = 0;
    std::size_t sum = 0;
#if defined(__SSE2__) && defined(__x86_64__)
    if (bytes.size() >= 16) {
        const __m128i zero = _mm_setzero_si128();
        __m128i sums = zero;
        for (; at + 16 <= count; at += 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&bytes[at]));
            sums = _mm_add_epi64(sums, _mm_sad_epu8(block, zero));
        }
        if (at < count) {
            // The last block ends within `bytes`; only its bytes from `at` to `count` count.
            const std::size_t from = std::min(at, bytes.size() - 16);
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&bytes[from]));
            const __m128i index =
                _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
            const __m128i wanted = _mm_andnot_si128(
                _mm_cmpgt_epi8(_mm_set1_epi8(static_cast<char>(at - from)), index),
                _mm_cmpgt_epi8(_mm_set1_epi8(static_cast<char>(count - from)), index));
            sums = _mm_add_epi64(sums, _mm_sad_epu8(_mm_and_si128(block, wanted), zero));
        }
        return static_cast<std::size_t>(_mm_cvtsi128_si64(sums)) +
               static_cast<std::size_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
    }
#endif
    for (; at < count; ++at)
        sum += bytes[at];
    return sum;
}

// A thread's buffers, reused record after record, and the record being looked at.
struct Scratch {
    std::string_view name;
    FieldsView fields;
    int textCount = 0;                           // the name and the shown fields the record has
    std::string_view joined;                     // their bytes, one text after another
    std::array<std::size_t, kShownTexts> ends{}; // where each text ends in `joined`
    int endsKnown = 0;                           // how many of `ends` are worked out
    const unsigned char* lengths = nullptr;      // the fields' lengths, where compact
    std::string copy; // the texts' bytes, where they do not lie one after another
    std::vector<std::string_view> allFields;
    std::vector<FoldedUnit> units;
    std::string cell;

    // Where text `index` ends, worked out as far as it is asked for: most records turn up
    // a word, or turn it down, without the ends of all their texts.
    std::size_t endOf(int index)
    {
        for (; endsKnown <= index; ++endsKnown) {
            const auto at = static_cast<std::size_t>(endsKnown);
            ends[at] = at == 0 ? name.size() : ends[at - 1] + lengths[at - 1];
        }
        return ends[static_cast<std::size_t>(index)];
    }

    // Text `index`, once endOf(index) was asked.
    std::string_view text(int index) const
    {
        const std::size_t from = index == 0 ? 0 : ends[static_cast<std::size_t>(index) - 1];
        return joined.substr(from, ends[static_cast<std::size_t>(index)] - from);
    }
};

class Finder {
public:
    Finder(const RecordStore& store, const FindQuery& query, std::span<const int> slots)
        : store_(store), query_(query)
    {
        const CellWords& words = query.cellWords();
        byCells_ = !joinsCleanly(words.slash) || !joinsCleanly(words.hyphen);
        if (byCells_)
            return; // joining words that may run into the fields: the plain rule only
        for (std::string_view piece :
             {std::string_view(words.slash), std::string_view(words.hyphen), std::string_view("("),
              std::string_view(")"), std::string_view(","), std::string_view("\""),
              std::string_view(" ")}) {
            std::vector<FoldedUnit> units = foldedText(piece);
            joiningUnits_.insert(joiningUnits_.end(), units.begin(), units.end());
            if (piece != "," && piece != "\"" && piece != " ")
                alwaysShown_.push_back(std::move(units));
        }
        std::sort(joiningUnits_.begin(), joiningUnits_.end());
        const std::array<double, 256> frequency = byteFrequency(slots);
        for (const FindQuery::Word& word : query.words())
            plans_.push_back(plan(word, frequency));
        // The word least likely to be there first: most records are then turned down by it.
        std::stable_sort(plans_.begin(), plans_.end(),
                         [](const WordPlan& a, const WordPlan& b) { return a.cost < b.cost; });
    }

    bool keeps(int slot, Scratch& scratch) const;

private:
    bool joining(FoldedUnit unit) const
    {
        return std::binary_search(joiningUnits_.begin(), joiningUnits_.end(), unit);
    }

    // How often each byte occurs in the records, from a sample of them.
    std::array<double, 256> byteFrequency(std::span<const int> slots) const
    {
        std::array<double, 256> counts;
        counts.fill(1);
        const std::size_t step = std::max<std::size_t>(1, slots.size() / 1024);
        for (std::size_t i = 0; i < slots.size(); i += step) {
            const int slot = slots[i];
            for (std::string_view bytes : {store_.name(slot), store_.fields(slot).joinedBytes()}) {
                for (char byte : bytes)
                    ++counts[static_cast<unsigned char>(byte)];
            }
        }
        return counts;
    }

    WordPlan plan(const FindQuery::Word& word, const std::array<double, 256>& frequency) const
    {
        WordPlan plan;
        plan.word = &word;
        plan.joined =
            std::any_of(word.begin(), word.end(), [&](FoldedUnit unit) { return joining(unit); });
        if (std::all_of(word.begin(), word.end(), [&](FoldedUnit unit) { return joining(unit); })) {
            plan.always = std::any_of(
                alwaysShown_.begin(), alwaysShown_.end(),
                [&](const std::vector<FoldedUnit>& piece) { return contains(piece, word); });
            plan.cost = plan.always ? 0 : 1e300;
            return plan;
        }
        // Each unit that no joining word holds could be looked for: by its rarest bytes.
        // The first unit of a word without joining units is taken unless another is far
        // rarer, as a hit of it is checked in place, character by character.
        struct Anchor {
            std::vector<RawForm> forms;
            std::vector<std::uint8_t> lookedAt;
            std::vector<unsigned char> needles;
            double cost = 0;
        };
        const auto anchorOf = [&](FoldedUnit unit) {
            Anchor anchor;
            anchor.forms = rawFormsOf(unit);
            for (const RawForm& form : anchor.forms) {
                // Of a pair, the byte that turns up less in the records.
                const std::uint8_t index =
                    form.size == 2 && frequency[form.bytes[1]] <= frequency[form.bytes[0]] ? 1 : 0;
                anchor.lookedAt.push_back(index);
                const unsigned char needle = form.bytes[index];
                if (std::find(anchor.needles.begin(), anchor.needles.end(), needle) ==
                    anchor.needles.end()) {
                    anchor.needles.push_back(needle);
                    anchor.cost += frequency[needle];
                }
            }
            return anchor;
        };
        std::vector<Anchor> anchors(word.size());
        std::size_t best = word.size();
        for (std::size_t at = 0; at < word.size(); ++at) {
            if (joining(word[at]))
                continue;
            anchors[at] = anchorOf(word[at]);
            if (best == word.size() || anchors[at].cost < anchors[best].cost)
                best = at;
        }
        if (!plan.joined && anchors[0].cost <= 4 * anchors[best].cost)
            best = 0;
        Anchor& chosen = anchors[best];
        plan.cost = chosen.cost;
        plan.forms = std::move(chosen.forms);
        plan.lookedAt = std::move(chosen.lookedAt);
        plan.needles = std::move(chosen.needles);
        plan.anchor = word[best];
        plan.runBegin = best;
        while (plan.runBegin > 0 && !joining(word[plan.runBegin - 1]))
            --plan.runBegin;
        plan.runEnd = best + 1;
        while (plan.runEnd < word.size() && !joining(word[plan.runEnd]))
            ++plan.runEnd;
        plan.startsWord = !plan.joined && best == 0;
        if (best > plan.runBegin)
            plan.before = rawFormsOf(word[best - 1]);
        if (best + 1 < plan.runEnd) {
            plan.after = rawFormsOf(word[best + 1]);
            for (const RawForm& form : plan.after) {
                if (std::find(plan.follow.bytes.begin(), plan.follow.bytes.end(), form.bytes[0]) ==
                    plan.follow.bytes.end())
                    plan.follow.bytes.push_back(form.bytes[0]);
            }
            plan.follow.offsets.assign(plan.needles.size(), 0);
            for (std::size_t f = 0; f < plan.forms.size(); ++f) {
                const RawForm& form = plan.forms[f];
                const std::size_t needle =
                    static_cast<std::size_t>(std::find(plan.needles.begin(), plan.needles.end(),
                                                       form.bytes[plan.lookedAt[f]]) -
                                             plan.needles.begin());
                plan.follow.offsets[needle] |= form.size - plan.lookedAt[f] == 1 ? 1 : 2;
            }
        }
        return plan;
    }

    void readRecord(int slot, Scratch& s) const;
    bool findWord(const WordPlan& plan, Scratch& s) const;
    bool shown(int text, const Scratch& s) const;
    bool inText(const WordPlan& plan, int text, Scratch& s) const;
    // The plain rule for one word: is it in one of the cells?
    bool inCells(const FindQuery::Word& word, Scratch& s) const;
    bool inCell(const FindQuery::Word& word, int column, Scratch& s) const;

    const RecordStore& store_;
    const FindQuery& query_;
    bool byCells_ = false;
    std::vector<FoldedUnit> joiningUnits_;
    std::vector<std::vector<FoldedUnit>> alwaysShown_;
    std::vector<WordPlan> plans_;
};

bool Finder::keeps(int slot, Scratch& s) const
{
    if (byCells_)
        return query_.matches(store_.name(slot), store_.fields(slot));
    bool read = false;
    for (const WordPlan& plan : plans_) {
        if (plan.always)
            continue;
        if (!read) {
            readRecord(slot, s);
            read = true;
        }
        if (plan.forms.empty() ? !inCells(*plan.word, s) : !findWord(plan, s))
            return false;
    }
    return true;
}

void Finder::readRecord(int slot, Scratch& s) const
{
    s.name = store_.name(slot);
    s.fields = store_.fields(slot);
    const int shownFields = std::min(s.fields.size(), kShownTexts - 1);
    s.textCount = 1 + shownFields;
    const std::span<const unsigned char> lengths = s.fields.compactLengths();
    if (!lengths.empty()) {
        // The fields follow the name; where the shown ones end is all a scan needs.
        s.endsKnown = 0;
        s.lengths = lengths.data();
        s.joined = std::string_view(s.name.data(),
                                    s.name.size() +
                                        sumOfBytes(lengths, static_cast<std::size_t>(shownFields)));
        return;
    }
    s.allFields.resize(static_cast<std::size_t>(std::max(s.fields.size(), 0)));
    s.fields.views(s.allFields);
    std::size_t total = s.name.size();
    bool adjacent = true;
    s.ends[0] = total;
    for (int field = 0; field < shownFields; ++field) {
        const std::string_view bytes = s.allFields[static_cast<std::size_t>(field)];
        adjacent = adjacent && (bytes.empty() || bytes.data() == s.name.data() + total);
        total += bytes.size();
        s.ends[static_cast<std::size_t>(field) + 1] = total;
    }
    s.endsKnown = s.textCount;
    if (adjacent) {
        s.joined = std::string_view(s.name.data(), total);
        return;
    }
    s.copy.assign(s.name);
    for (int field = 0; field < shownFields; ++field)
        s.copy.append(s.allFields[static_cast<std::size_t>(field)]);
    s.joined = s.copy;
}

// Calls onHit(offset) for each byte of `bytes` that is one of the needles, in order, until
// it returns true; true when it did. Where `follow` has bytes, needles that none of them
// follows where it may may be passed over.
template <typename OnHit>
bool forEachNeedle(std::string_view bytes, std::span<const unsigned char> needles,
                   [[maybe_unused]] const NeedleFollow& follow, OnHit onHit)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t at = 0;
#if GRIMTALLY_SSE2
    if (needles.size() <= 8 && follow.bytes.size() <= 8 && size >= 16) {
        __m128i wanted[8];
        for (std::size_t i = 0; i < needles.size(); ++i)
            wanted[i] = _mm_set1_epi8(static_cast<char>(needles[i]));
        const auto matches = [&](const unsigned char* from) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
            __m128i any = _mm_setzero_si128();
            for (std::size_t i = 0; i < needles.size(); ++i)
                any = _mm_or_si128(any, _mm_cmpeq_epi8(block, wanted[i]));
            return static_cast<unsigned>(_mm_movemask_epi8(any));
        };
        __m128i followed[8];
        for (std::size_t i = 0; i < follow.bytes.size(); ++i)
            followed[i] = _mm_set1_epi8(static_cast<char>(follow.bytes[i]));
        // The needles of a block that one of the bytes follows: reads two bytes past it.
        const auto followedMatches = [&](const unsigned char* from) {
            const auto anyFollowAt = [&](const unsigned char* place) {
                const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(place));
                __m128i any = _mm_setzero_si128();
                for (std::size_t i = 0; i < follow.bytes.size(); ++i)
                    any = _mm_or_si128(any, _mm_cmpeq_epi8(block, followed[i]));
                return any;
            };
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
            const __m128i one = anyFollowAt(from + 1);
            const __m128i two = anyFollowAt(from + 2);
            __m128i any = _mm_setzero_si128();
            for (std::size_t i = 0; i < needles.size(); ++i) {
                const std::uint8_t offsets = follow.offsets[i];
                const __m128i after = _mm_or_si128((offsets & 1) != 0 ? one : _mm_setzero_si128(),
                                                   (offsets & 2) != 0 ? two : _mm_setzero_si128());
                any = _mm_or_si128(any, _mm_and_si128(_mm_cmpeq_epi8(block, wanted[i]), after));
            }
            return static_cast<unsigned>(_mm_movemask_epi8(any));
        };
        const auto report = [&](unsigned mask, std::size_t base) {
            for (; mask != 0; mask &= mask - 1) {
                if (onHit(base + static_cast<std::size_t>(std::countr_zero(mask))))
                    return true;
            }
            return false;
        };
        if (!follow.bytes.empty()) {
            for (; at + 18 <= size; at += 16) {
                if (report(followedMatches(data + at), at))
                    return true;
            }
        }
        for (; at + 16 <= size; at += 16) {
            if (report(matches(data + at), at))
                return true;
        }
        // The last bytes in a block that ends where they end, the ones already seen left out.
        if (at < size)
            return report(matches(data + size - 16) >> (at - (size - 16)), at);
        return false;
    }
#endif
    std::array<bool, 256> wanted{};
    for (unsigned char needle : needles)
        wanted[needle] = true;
    for (; at < size; ++at) {
        if (wanted[data[at]] && onHit(at))
            return true;
    }
    return false;
}

namespace {

bool formAt(std::string_view bytes, std::size_t at, const RawForm& form)
{
    // One or two bytes: compared as they are, not through a call.
    return at + form.size <= bytes.size() &&
           static_cast<unsigned char>(bytes[at]) == form.bytes[0] &&
           (form.size == 1 || static_cast<unsigned char>(bytes[at + 1]) == form.bytes[1]);
}

bool anyFormAt(std::string_view bytes, std::size_t at, std::span<const RawForm> forms)
{
    return std::any_of(forms.begin(), forms.end(),
                       [&](const RawForm& form) { return formAt(bytes, at, form); });
}

// Whether a folded character of the text from `textBegin` to `textEnd` starts at `at`. Two
// bytes make one character only after a lead byte or a half-width letter a mark voices, so
// any other byte ends the character that holds it, and only the bytes after the last such
// one before `at` are read again.
bool startsCharacter(std::string_view bytes, std::size_t textBegin, std::size_t textEnd,
                     std::size_t at)
{
    const auto mayBegin2 = [](unsigned char byte) {
        return isCp932LeadByte(byte) || (byte >= 0xB3 && byte <= 0xCE);
    };
    std::size_t from = at;
    while (from > textBegin && mayBegin2(static_cast<unsigned char>(bytes[from - 1])))
        --from;
    while (from < at)
        from += foldedStep(bytes.substr(from, textEnd - from)).bytes;
    return from == at;
}

// Whether `bytes` begin, at a character, with the characters of `word`, folded.
bool wordAt(std::string_view bytes, std::span<const FoldedUnit> word)
{
    for (const FoldedUnit unit : word) {
        if (bytes.empty())
            return false;
        const FoldedStep step = foldedStep(bytes);
        if (step.unit != unit)
            return false;
        bytes.remove_prefix(step.bytes);
    }
    return true;
}

bool anyFormEndsAt(std::string_view bytes, std::size_t end, std::span<const RawForm> forms)
{
    return std::any_of(forms.begin(), forms.end(), [&](const RawForm& form) {
        return end >= form.size && formAt(bytes, end - form.size, form);
    });
}

} // namespace

bool Finder::findWord(const WordPlan& plan, Scratch& s) const
{
    const std::string_view bytes = s.joined;
    std::uint64_t looked = 0; // texts already looked at for this word
    int text = 0;
    return forEachNeedle(bytes, plan.needles, plan.follow, [&](std::size_t at) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        for (std::size_t f = 0; f < plan.forms.size(); ++f) {
            const RawForm& form = plan.forms[f];
            const std::size_t index = plan.lookedAt[f];
            if (form.bytes[index] != byte || at < index)
                continue;
            const std::size_t begin = at - index;
            if (!formAt(bytes, begin, form) ||
                (!plan.before.empty() && !anyFormEndsAt(bytes, begin, plan.before)) ||
                (!plan.after.empty() && !anyFormAt(bytes, begin + form.size, plan.after)))
                continue;
            // Hits come in order, so the text that holds them only moves on.
            while (s.endOf(text) <= begin)
                ++text;
            const std::size_t textBegin =
                text == 0 ? 0 : s.ends[static_cast<std::size_t>(text) - 1];
            const std::size_t textEnd = s.ends[static_cast<std::size_t>(text)];
            if (begin + form.size > textEnd || (looked >> text & 1) != 0 ||
                !startsCharacter(bytes, textBegin, textEnd, begin))
                continue;
            if (plan.startsWord) {
                if (!wordAt(bytes.substr(begin, textEnd - begin), *plan.word))
                    continue;
                if (shown(text, s))
                    return true;
                looked |= std::uint64_t{1} << text; // found, but in a field not shown
                continue;
            }
            looked |= std::uint64_t{1} << text;
            if (inText(plan, text, s))
                return true;
            break;
        }
        return false;
    });
}

bool Finder::shown(int text, const Scratch& s) const
{
    return text == 0 || listShowsField(CellFields(s.fields), text - 1);
}

bool Finder::inText(const WordPlan& plan, int text, Scratch& s) const
{
    if (!shown(text, s))
        return false;
    s.units.clear();
    appendFolded(s.text(text), s.units);
    if (!contains(s.units, plan.run()))
        return false;
    if (!plan.joined)
        return true;
    return inCell(*plan.word, text == 0 ? 0 : listColumnOfField(text - 1), s);
}

bool Finder::inCell(const FindQuery::Word& word, int column, Scratch& s) const
{
    s.cell.clear();
    appendListCell(s.cell, s.name, s.fields, column, query_.cellWords());
    s.units.clear();
    appendFolded(s.cell, s.units);
    return contains(s.units, word);
}

bool Finder::inCells(const FindQuery::Word& word, Scratch& s) const
{
    for (int column = 0; column < kListColumnCount; ++column) {
        if (inCell(word, column, s))
            return true;
    }
    return false;
}

} // namespace

FindQuery::FindQuery(std::string_view typed, CellWords cellWords) : cellWords_(std::move(cellWords))
{
    const std::vector<FoldedUnit> units = foldedText(typed);
    // Blanks and control bytes part the words (the ideographic space folds to a blank).
    Word word;
    for (FoldedUnit unit : units) {
        if (unit <= 0x20) {
            if (!word.empty())
                words_.push_back(std::move(word));
            word.clear();
        } else {
            word.push_back(unit);
        }
    }
    if (!word.empty())
        words_.push_back(std::move(word));
}

bool FindQuery::narrows(const FindQuery& wider) const
{
    if (cellWords_.slash != wider.cellWords_.slash || cellWords_.hyphen != wider.cellWords_.hyphen)
        return false;
    return std::all_of(wider.words_.begin(), wider.words_.end(), [&](const Word& part) {
        return std::any_of(words_.begin(), words_.end(),
                           [&](const Word& word) { return contains(word, part); });
    });
}

bool FindQuery::matches(std::string_view name, CellFields fields) const
{
    std::vector<bool> found(words_.size());
    std::size_t left = words_.size();
    std::string cell;
    std::vector<FoldedUnit> units;
    for (int column = 0; column < kListColumnCount && left > 0; ++column) {
        cell.clear();
        appendListCell(cell, name, fields, column, cellWords_);
        units.clear();
        appendFolded(cell, units);
        for (std::size_t i = 0; i < words_.size(); ++i) {
            if (!found[i] && contains(units, words_[i])) {
                found[i] = true;
                --left;
            }
        }
    }
    return left == 0;
}

std::size_t findRecords(const RecordStore& store, const FindQuery& query,
                        std::span<const int> slots, std::span<std::uint8_t> kept)
{
    if (query.empty()) {
        for (int slot : slots)
            kept[static_cast<std::size_t>(slot)] = 1;
        return slots.size();
    }
    const Finder finder(store, query, slots);
    const std::size_t half = slots.size() / 2;
    std::array<std::size_t, 2> counts{};
    inTwoParts(slots.size() >= kFindTwoThreadSlots, [&](int part) {
        const std::span<const int> mine = part == 0 ? slots.first(half) : slots.subspan(half);
        std::uint8_t* const into = kept.data();
        Scratch scratch;
        std::size_t count = 0;
        for (std::size_t i = 0; i < mine.size(); ++i) {
            const int slot = mine[i];
            const bool keeps = finder.keeps(slot, scratch);
            into[static_cast<std::size_t>(slot)] = keeps ? 1 : 0;
            count += keeps ? 1 : 0;
        }
        counts[static_cast<std::size_t>(part)] = count;
    });
    return counts[0] + counts[1];
}

} // namespace grimtally
