#include "core/text/cp932fold.h"

#include "core/text/sjis.h"

#include <array>
#include <optional>
#include <string>

namespace grimtally {

namespace {

// Full-width forms of the half-width katakana U+FF61 to U+FF9F.
constexpr std::array<char16_t, 0x3F> kFullWidthKatakana = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ',
    u'ョ', u'ッ', u'ー', u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ',
    u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ', u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ',
    u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ', u'ヤ',
    u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜'};

constexpr unsigned char kVoicedMark = 0xDE;     // ﾞ
constexpr unsigned char kSemiVoicedMark = 0xDF; // ﾟ

char32_t foldCodePoint(char32_t cp)
{
    if (cp >= 0xFF01 && cp <= 0xFF5E)
        cp -= 0xFEE0; // full-width ASCII
    if (cp >= 'a' && cp <= 'z')
        return cp - 'a' + 'A';
    if (cp == 0x3000)
        return ' ';
    if (cp >= 0xFF61 && cp <= 0xFF9F)
        return kFullWidthKatakana[cp - 0xFF61];
    if (cp >= 0x3041 && cp <= 0x3096)
        return cp + 0x60; // hiragana to katakana
    if (cp == 0x309D || cp == 0x309E)
        return cp + 0x60; // ゝゞ to ヽヾ
    if (cp == 0x03C2)
        return 0x03A3; // final sigma
    if ((cp >= 0x03B1 && cp <= 0x03C9) || (cp >= 0x0430 && cp <= 0x044F))
        return cp - 0x20; // Greek and Cyrillic small letters
    if (cp == 0x0451)
        return 0x0401;
    if (cp >= 0x2170 && cp <= 0x217F)
        return cp - 0x10; // small Roman numerals
    return cp;
}

// The one code point of `utf8`, or nothing when it holds another number of them.
std::optional<char32_t> onlyCodePoint(const std::string& utf8)
{
    if (utf8.empty())
        return std::nullopt;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    const unsigned char first = byte(0);
    const std::size_t length = first < 0x80 ? 1 : first < 0xE0 ? 2 : first < 0xF0 ? 3 : 4;
    if (utf8.size() != length)
        return std::nullopt;
    char32_t cp = length == 1 ? first : first & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i)
        cp = cp << 6 | (byte(i) & 0x3F);
    return cp;
}

class FoldTable {
public:
    FoldTable() : pair_(0x10000, 0)
    {
        for (unsigned byte = 0; byte < 0x100; ++byte) {
            single_[byte] = static_cast<FoldedUnit>(byte);
            if (!isCp932LeadByte(static_cast<unsigned char>(byte))) {
                const char text[1] = {static_cast<char>(byte)};
                if (const FoldedUnit unit = fold(std::string_view(text, 1)))
                    single_[byte] = unit;
            }
        }
        // NUL is a character; it folds to itself, which fold() cannot say.
        single_[0] = 0;
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isCp932LeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                const char text[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                pair_[lead << 8 | trail] = fold(std::string_view(text, 2));
            }
        }
        // ｳ, ｶ to ﾄ and ﾊ to ﾎ take the voiced mark, ﾊ to ﾎ the semi-voiced one; the
        // katakana with it follow the plain one in Unicode.
        for (unsigned byte = 0xB3; byte <= 0xCE; ++byte) {
            const char32_t plain = kFullWidthKatakana[byte - 0xA1];
            if (byte == 0xB3)
                voiced_[byte] = encode(0x30F4); // ヴ
            else if ((byte >= 0xB6 && byte <= 0xC4) || byte >= 0xCA)
                voiced_[byte] = encode(plain + 1);
            if (byte >= 0xCA)
                semiVoiced_[byte] = encode(plain + 2);
        }
    }

    std::vector<RawForm> formsOf(FoldedUnit unit) const
    {
        std::vector<RawForm> forms;
        const auto add = [&](unsigned first, int second) {
            RawForm form{{static_cast<unsigned char>(first), 0}, 1};
            if (second >= 0) {
                form.bytes[1] = static_cast<unsigned char>(second);
                form.size = 2;
            }
            forms.push_back(form);
        };
        for (unsigned byte = 0; byte < 0x100; ++byte) {
            if (single_[byte] == unit)
                add(byte, -1);
            if (voiced_[byte] == unit && unit != 0)
                add(byte, kVoicedMark);
            if (semiVoiced_[byte] == unit && unit != 0)
                add(byte, kSemiVoicedMark);
        }
        if (unit != 0) {
            for (unsigned code = 0x8100; code < 0x10000; ++code) {
                if (pair_[code] == unit)
                    add(code >> 8, static_cast<int>(code & 0xFF));
            }
        }
        return forms;
    }

    FoldedStep step(std::string_view bytes) const
    {
        const auto first = static_cast<unsigned char>(bytes[0]);
        if (bytes.size() >= 2) {
            const auto second = static_cast<unsigned char>(bytes[1]);
            if (isCp932LeadByte(first)) {
                if (const FoldedUnit unit = pair_[first << 8 | second])
                    return {unit, 2};
            } else if (second == kVoicedMark && voiced_[first] != 0) {
                return {voiced_[first], 2};
            } else if (second == kSemiVoicedMark && semiVoiced_[first] != 0) {
                return {semiVoiced_[first], 2};
            }
        }
        return {single_[first], 1};
    }

private:
    // The unit a code folds to, 0 when the code is no character.
    static FoldedUnit fold(std::string_view code)
    {
        std::string utf8;
        appendShownUtf8(code, utf8);
        const std::optional<char32_t> cp = onlyCodePoint(utf8);
        if (!cp || *cp == 0xFFFD)
            return 0;
        if (const FoldedUnit unit = encode(foldCodePoint(*cp)))
            return unit;
        // A character that has no code of its own folds to the code it came from.
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(code[i]); };
        return static_cast<FoldedUnit>(code.size() == 1 ? byte(0) : byte(0) << 8 | byte(1));
    }

    // The code a character is written with, 0 when it has none.
    static FoldedUnit encode(char32_t cp)
    {
        std::string utf8;
        appendUtf8(utf8, cp);
        std::string bytes;
        if (!appendCp932(utf8, bytes) || bytes.empty() || bytes.size() > 2)
            return 0;
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
        return static_cast<FoldedUnit>(bytes.size() == 1 ? byte(0) : byte(0) << 8 | byte(1));
    }

    std::array<FoldedUnit, 256> single_{};
    std::vector<FoldedUnit> pair_;
    std::array<FoldedUnit, 256> voiced_{};
    std::array<FoldedUnit, 256> semiVoiced_{};
};

const FoldTable& foldTable()
{
    static const FoldTable table;
    return table;
}

} // namespace

FoldedStep foldedStep(std::string_view bytes)
{
    return foldTable().step(bytes);
}

std::vector<RawForm> rawFormsOf(FoldedUnit unit)
{
    return foldTable().formsOf(unit);
}

void appendFolded(std::string_view bytes, std::vector<FoldedUnit>& out)
{
    const FoldTable& table = foldTable();
    while (!bytes.empty()) {
        const FoldedStep step = table.step(bytes);
        out.push_back(step.unit);
        bytes.remove_prefix(step.bytes);
    }
}

std::vector<FoldedUnit> foldedText(std::string_view bytes)
{
    std::vector<FoldedUnit> units;
    units.reserve(bytes.size());
    appendFolded(bytes, units);
    return units;
}

} // namespace grimtally
