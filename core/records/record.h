// The enemy record: a name and 47 text fields, kept compactly as the bytes they were read as.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace grimtally {

inline constexpr int kFieldCount = 47;

// Field numbers of a record (after the name).
enum Field : int {
    FieldClassify = 0,
    FieldLevel = 1,
    FieldCelebrity = 2,
    FieldCelebrityQualifier = 3,
    FieldDex = 4,
    FieldMainSpeed = 5,
    FieldMainMovement = 6,
    FieldSubSpeed = 7,
    FieldSubMovement = 8,
    FieldCountLow = 9,
    FieldCountHigh = 10,
    FieldFrequency = 11,
    FieldInt = 12,
    FieldReaction = 13,
    FieldReaction2 = 14,
    FieldAttack1Method = 15,
    FieldAttack1Hit = 16,
    FieldAttack1Damage = 17,
    FieldAttack2Method = 18,
    FieldAttack2Hit = 19,
    FieldAttack2Damage = 20,
    FieldAttack3Method = 21,
    FieldAttack3Hit = 22,
    FieldAttack3Damage = 23,
    FieldDodge = 24,
    FieldPrevent = 25,
    FieldHP = 26,
    FieldHPResist = 27,
    FieldSP = 28,
    FieldSPResist = 29,
    FieldMagic1Kind = 30,
    FieldMagic1Level = 31,
    FieldMagic1Power = 32,
    FieldMagic2Kind = 33,
    FieldMagic2Level = 34,
    FieldMagic2Power = 35,
    FieldMagic3Kind = 36,
    FieldMagic3Level = 37,
    FieldMagic3Power = 38,
    FieldAbility = 39,
    FieldHabitat = 40,
    FieldLanguage = 41,
    FieldSense = 42,
    FieldSubSenses = 43,
    FieldStrength = 44,
    FieldSize = 45,
    FieldHardness = 46,
};

// How a record's texts are kept: the length of every text as a varint (seven bits a byte,
// low bits first), then the texts' bytes one after another. A record of 48 short texts
// costs 48 bytes beyond its text, and the texts stay in one run, as in the file.
namespace encoded {
// Bytes the encoding of these texts takes.
template <typename Texts> std::size_t size(const Texts& texts);
// Whether every length fits in one byte, so that the texts' bytes start right after one
// byte per text and a text is found without reading the lengths after it.
template <typename Texts> bool compact(const Texts& texts);
// Writes the encoding at `out`, which has size(texts) bytes of room; returns the end.
template <typename Texts> char* write(const Texts& texts, char* out);
} // namespace encoded

// A view of texts kept in that encoding: the fields of a stored record (from `first` on, the
// name being text 0 there), or of a FieldList. Valid while what it views is unchanged.
class FieldsView {
public:
    FieldsView() = default;
    FieldsView(const char* encoded, int texts, int first = 0, bool compact = false)
        : encoded_(encoded), texts_(texts), first_(first), compact_(compact)
    {}

    int size() const { return texts_ - first_; }
    bool compact() const { return compact_; }
    // Where compact, every field's length, one byte each and in order, read from the
    // encoding itself: a scan over many records adds them up without a view per field.
    std::span<const unsigned char> compactLengths() const
    {
        if (!compact_ || size() <= 0)
            return {};
        return {reinterpret_cast<const unsigned char*>(encoded_) + first_,
                static_cast<std::size_t>(size())};
    }
    bool empty() const { return size() <= 0; }
    std::string_view operator[](int index) const; // throws std::out_of_range
    std::vector<std::string> toStrings() const;
    // Every field at once, in one pass where operator[] takes one per field: `out` has
    // room for size() views.
    void views(std::span<std::string_view> out) const;
    // Fields first .. first + out.size() - 1 in one pass; they must be there.
    void views(int first, std::span<std::string_view> out) const;
    // Every field's bytes one after the other, for scans that need not know the fields.
    std::string_view joinedBytes() const;

    friend bool operator==(FieldsView a, FieldsView b);

private:
    const char* encoded_ = nullptr;
    int texts_ = 0;
    int first_ = 0;
    bool compact_ = false;
};

// A list of texts that owns its bytes, in one allocation: the fields of a record built by
// the program (the editor, a copy) before the store takes it.
class FieldList {
public:
    FieldList() = default;
    explicit FieldList(std::span<const std::string> fields);
    explicit FieldList(std::span<const std::string_view> fields);
    explicit FieldList(FieldsView fields);

    FieldsView view() const { return {encoded_.data(), count_, 0, compact_}; }
    operator FieldsView() const { return view(); }
    int size() const { return count_; }
    bool empty() const { return count_ == 0; }
    std::string_view operator[](int index) const { return view()[index]; }
    std::vector<std::string> toStrings() const { return view().toStrings(); }
    std::string_view joinedBytes() const { return view().joinedBytes(); }

    friend bool operator==(const FieldList& a, const FieldList& b)
    {
        return a.count_ == b.count_ && a.encoded_ == b.encoded_;
    }

private:
    std::string encoded_;
    int count_ = 0;
    bool compact_ = false;
};

struct EnemyRecord {
    std::string name;
    FieldList fields;
};

// --- the encoding ---

namespace encoded {

inline std::size_t varintSize(std::size_t value)
{
    std::size_t bytes = 1;
    for (; value >= 0x80; value >>= 7)
        ++bytes;
    return bytes;
}

inline char* writeVarint(std::size_t value, char* out)
{
    for (; value >= 0x80; value >>= 7)
        *out++ = static_cast<char>((value & 0x7F) | 0x80);
    *out++ = static_cast<char>(value);
    return out;
}

template <typename Texts> std::size_t size(const Texts& texts)
{
    std::size_t total = 0;
    for (const auto& text : texts)
        total += varintSize(std::string_view(text).size()) + std::string_view(text).size();
    return total;
}

template <typename Texts> bool compact(const Texts& texts)
{
    return std::all_of(std::begin(texts), std::end(texts),
                       [](const auto& text) { return std::string_view(text).size() < 0x80; });
}

template <typename Texts> char* write(const Texts& texts, char* out)
{
    for (const auto& text : texts)
        out = writeVarint(std::string_view(text).size(), out);
    for (const auto& text : texts) {
        const std::string_view bytes(text);
        std::copy(bytes.begin(), bytes.end(), out);
        out += bytes.size();
    }
    return out;
}

} // namespace encoded

} // namespace grimtally
