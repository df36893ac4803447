#include "core/records/record.h"

#include "core/text/vectorcode.h"

#include <limits>
#include <stdexcept>

namespace grimtally {

namespace {

std::size_t readVarint(const char*& p)
{
    std::size_t value = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*p++);
        value |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if (byte < 0x80)
            return value;
    }
}

// The sum of the first `count` of `size` bytes, sixteen at a time where they are there to
// read: the list's cells and sort keys read fields by number, near the end of the record.
std::size_t byteSum(const unsigned char* bytes, int count, int size)
{
    std::size_t sum = 0;
    int i = 0;
#if GRIMTALLY_SSE2
    const __m128i zero = _mm_setzero_si128();
    auto add = [&](__m128i block) {
        const __m128i sums = _mm_sad_epu8(block, zero);
        sum += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
               static_cast<std::size_t>(_mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums)));
    };
    for (; i + 16 <= count; i += 16)
        add(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i)));
    if (i < count && i + 16 <= size) {
        // The block reaches past `count`: the bytes from there on count as zero.
        const __m128i index = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
        const __m128i keep = _mm_cmplt_epi8(index, _mm_set1_epi8(static_cast<char>(count - i)));
        add(_mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i)), keep));
        return sum;
    }
#else
    (void)size;
#endif
    for (; i < count; ++i)
        sum += bytes[i];
    return sum;
}

template <typename Text> FieldsView encodeInto(std::span<const Text> fields, std::string& out)
{
    if (fields.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        throw std::length_error("record too large");
    out.resize(encoded::size(fields));
    encoded::write(fields, out.data());
    return {out.data(), static_cast<int>(fields.size()), 0, encoded::compact(fields)};
}

} // namespace

std::string_view FieldsView::operator[](int index) const
{
    if (index < 0 || index >= size())
        throw std::out_of_range("field " + std::to_string(index) + " of " + std::to_string(size()));
    const int wanted = first_ + index;
    if (compact_) {
        // One byte per length: add up those before it and look no further.
        const auto* lengths = reinterpret_cast<const unsigned char*>(encoded_);
        return {encoded_ + texts_ + byteSum(lengths, wanted, texts_), lengths[wanted]};
    }
    const char* p = encoded_;
    std::size_t offset = 0;
    std::size_t length = 0;
    for (int i = 0; i < texts_; ++i) {
        const std::size_t n = readVarint(p);
        if (i < wanted)
            offset += n;
        else if (i == wanted)
            length = n;
    }
    return {p + offset, length};
}

std::vector<std::string> FieldsView::toStrings() const
{
    std::vector<std::string_view> fields(static_cast<std::size_t>(std::max(size(), 0)));
    views(fields);
    return {fields.begin(), fields.end()};
}

void FieldsView::views(std::span<std::string_view> out) const
{
    std::string_view bytes = joinedBytes();
    const char* p = encoded_;
    for (int i = 0; i < texts_; ++i) {
        const std::size_t n = readVarint(p);
        if (i < first_)
            continue;
        out[static_cast<std::size_t>(i - first_)] = bytes.substr(0, n);
        bytes.remove_prefix(n);
    }
}

void FieldsView::views(int first, std::span<std::string_view> out) const
{
    const int from = first_ + first;
    if (first < 0 || from + static_cast<int>(out.size()) > texts_)
        throw std::out_of_range("fields " + std::to_string(first) + " to " +
                                std::to_string(first + static_cast<int>(out.size())) + " of " +
                                std::to_string(size()));
    if (!compact_) {
        std::vector<std::string_view> all(static_cast<std::size_t>(std::max(size(), 0)));
        views(all);
        std::copy_n(all.begin() + first, out.size(), out.begin());
        return;
    }
    // One byte per length: the sum of those before the first, then one length after another.
    const auto* lengths = reinterpret_cast<const unsigned char*>(encoded_);
    const char* text = encoded_ + texts_ + byteSum(lengths, from, texts_);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const std::size_t length = lengths[from + static_cast<int>(i)];
        out[i] = {text, length};
        text += length;
    }
}

std::string_view FieldsView::joinedBytes() const
{
    const char* p = encoded_;
    std::size_t before = 0;
    std::size_t total = 0;
    for (int i = 0; i < texts_; ++i)
        (i < first_ ? before : total) += readVarint(p);
    return {p + before, total};
}

bool operator==(FieldsView a, FieldsView b)
{
    if (a.size() != b.size() || a.joinedBytes() != b.joinedBytes())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (a[i].size() != b[i].size())
            return false;
    }
    return true;
}

FieldList::FieldList(std::span<const std::string> fields)
    : count_(static_cast<int>(fields.size())), compact_(encodeInto(fields, encoded_).compact())
{}

FieldList::FieldList(std::span<const std::string_view> fields)
    : count_(static_cast<int>(fields.size())), compact_(encodeInto(fields, encoded_).compact())
{}

FieldList::FieldList(FieldsView fields)
{
    std::vector<std::string_view> texts;
    texts.reserve(static_cast<std::size_t>(std::max(fields.size(), 0)));
    for (int i = 0; i < fields.size(); ++i)
        texts.push_back(fields[i]);
    count_ = static_cast<int>(texts.size());
    compact_ = encodeInto(std::span<const std::string_view>(texts), encoded_).compact();
}

} // namespace grimtally
