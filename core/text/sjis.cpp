#include "core/text/sjis.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

namespace grimtally {

namespace {

#include "core/text/cp932table.inc"

// Decodes one UTF-8 sequence at `pos`; returns false for anything malformed (overlong
// forms, surrogates, values above U+10FFFF, a cut-off sequence).
bool nextCodePoint(std::string_view text, size_t& pos, char32_t& cp)
{
    unsigned char b0 = static_cast<unsigned char>(text[pos]);
    size_t length;
    char32_t min;
    if (b0 < 0x80) {
        cp = b0;
        ++pos;
        return true;
    } else if ((b0 & 0xE0) == 0xC0) {
        length = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return false;
    }
    if (pos + length > text.size())
        return false;
    for (size_t i = 1; i < length; ++i) {
        unsigned char b = static_cast<unsigned char>(text[pos + i]);
        if ((b & 0xC0) != 0x80)
            return false;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return false;
    pos += length;
    return true;
}

// Input methods on Linux produce these; code page 932 holds only their full-width twins.
char32_t fullWidthTwin(char32_t cp)
{
    switch (cp) {
    case 0x301C:
        return 0xFF5E; // wave dash
    case 0x2212:
        return 0xFF0D; // minus sign
    case 0x2016:
        return 0x2225; // double vertical line
    case 0x00A2:
        return 0xFFE0; // cent sign
    case 0x00A3:
        return 0xFFE1; // pound sign
    case 0x00AC:
        return 0xFFE2; // not sign
    default:
        return cp;
    }
}

// Every code of code page 932 with its character, and every character with the code it
// encodes to, from the table generated once from glibc's converter: both systems convert
// alike, and long runs of short texts cost a look-up per character.
class Cp932Table {
public:
    static constexpr char32_t kNoCharacter = 0xFFFFFFFF;

    Cp932Table() : decode_(0x10000, kNoCharacter), encode_(0x10000, 0)
    {
        const auto learn = [&](unsigned code, std::uint16_t cp) {
            if (cp != 0xFFFF)
                decode_[code] = cp;
        };
        for (unsigned byte = 0; byte < 0x100; ++byte)
            learn(byte, kCp932Singles[byte]);
        std::size_t pair = 0;
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isCp932LeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
                learn(lead << 8 | trail, kCp932Pairs[pair++]);
        }
        // A character encodes to the one code of it that is no second code.
        for (unsigned code = 0; code < 0x10000; ++code) {
            const char32_t cp = decode_[code];
            if (cp == kNoCharacter || cp == 0 ||
                std::binary_search(std::begin(kCp932SecondCodes), std::end(kCp932SecondCodes),
                                   code))
                continue;
            encode_[cp] = static_cast<std::uint16_t>(code);
        }
    }

    // The character of `code` when it encodes back to `code`, else kNoCharacter.
    char32_t exactCharacter(unsigned code) const
    {
        const char32_t cp = decode_[code];
        if (cp == kNoCharacter || (cp != 0 && encode_[cp] != code))
            return kNoCharacter;
        return cp;
    }

    // The character of `code`, also where it encodes back to another code; else kNoCharacter.
    char32_t character(unsigned code) const { return decode_[code]; }

    // The code of a character (a single byte below 0x100), or 0 when it has none.
    std::uint16_t code(char32_t cp) const { return cp < 0x10000 ? encode_[cp] : 0; }

private:
    std::vector<char32_t> decode_;
    std::vector<std::uint16_t> encode_;
};

const Cp932Table& cp932Table()
{
    static const Cp932Table table;
    return table;
}

inline char foldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool isCp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string_view cp932Prefix(std::string_view text, std::size_t maxBytes)
{
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t step = isCp932LeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
        if (end + step > maxBytes)
            break;
        end += step;
    }
    return text.substr(0, std::min(end, text.size()));
}

std::string cp932ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 3 / 2 + 8);
    appendShownUtf8(bytes, out);
    return out;
}

std::optional<std::string> utf8ToCp932(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    if (!appendCp932(utf8, out))
        return std::nullopt;
    return out;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (isCp932LeadByte(static_cast<unsigned char>(a[i]))) {
            // Both bytes of a double-byte character must match exactly.
            if (a[i] != b[i])
                return false;
            ++i;
            if (i < a.size() && a[i] != b[i])
                return false;
            continue;
        }
        if (foldAscii(a[i]) != foldAscii(b[i]))
            return false;
    }
    return true;
}

bool containsCp932(std::string_view text, std::string_view part)
{
    if (part.empty())
        return true;
    for (std::size_t i = 0; i + part.size() <= text.size();) {
        if (text.compare(i, part.size(), part) == 0)
            return true;
        const bool lead = isCp932LeadByte(static_cast<unsigned char>(text[i]));
        i += lead && i + 1 < text.size() ? 2 : 1;
    }
    return false;
}

bool appendExactUtf8(std::string_view bytes, std::string& out)
{
    const Cp932Table* table = nullptr;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
            ++i;
            continue;
        }
        if (!table)
            table = &cp932Table();
        unsigned code = byte;
        std::size_t length = 1;
        if (isCp932LeadByte(byte)) {
            if (i + 1 >= bytes.size())
                return false;
            code = byte << 8 | static_cast<unsigned char>(bytes[i + 1]);
            length = 2;
        }
        const char32_t cp = table->exactCharacter(code);
        if (cp == Cp932Table::kNoCharacter)
            return false;
        appendUtf8(out, cp);
        i += length;
    }
    return true;
}

void appendShownUtf8(std::string_view bytes, std::string& out)
{
    const Cp932Table& table = cp932Table();
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
            ++i;
            continue;
        }
        // As glibc's converter shows it: a pair when it is a character, else a replacement
        // character for this byte alone and on with the next.
        if (isCp932LeadByte(byte) && i + 1 < bytes.size()) {
            const char32_t cp =
                table.character(byte << 8 | static_cast<unsigned char>(bytes[i + 1]));
            if (cp != Cp932Table::kNoCharacter) {
                appendUtf8(out, cp);
                i += 2;
                continue;
            }
        }
        const char32_t cp =
            isCp932LeadByte(byte) ? Cp932Table::kNoCharacter : table.character(byte);
        appendUtf8(out, cp == Cp932Table::kNoCharacter ? char32_t{0xFFFD} : cp);
        ++i;
    }
}

bool appendCp932(std::string_view utf8, std::string& out)
{
    const Cp932Table* table = nullptr;
    for (std::size_t pos = 0; pos < utf8.size();) {
        if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
            out += utf8[pos++];
            continue;
        }
        char32_t cp;
        if (!nextCodePoint(utf8, pos, cp))
            return false;
        if (!table)
            table = &cp932Table();
        const std::uint16_t code = table->code(fullWidthTwin(cp));
        if (code == 0)
            return false;
        if (code >= 0x100)
            out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    }
    return true;
}

} // namespace grimtally
