// The program's compiled-in code page 932 table against glibc's "CP932" converter, which it
// was generated from, on every single byte, every pair of bytes and every character of the
// basic plane: Linux and Windows convert alike only while the two agree.
#include "core/text/sjis.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <optional>
#include <string>

namespace {

// What the converter gives, or nothing at the first byte or character it cannot take.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(::iconv_open(to, from)) {}
    ~Converter() { ::iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; `in` is left at the first byte it could not take.
    bool convert(std::string_view& in, std::string& out)
    {
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[64];
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = ::iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, sizeof buffer - outLeft);
        in = std::string_view(inPtr, inLeft);
        return rc != static_cast<std::size_t>(-1);
    }

private:
    iconv_t cd_;
};

// How the program shows bytes: the converter's text, a replacement character for each byte
// it cannot take.
std::string shownByGlibc(Converter& decoder, std::string_view bytes)
{
    std::string out;
    while (!decoder.convert(bytes, out)) {
        out += "\xEF\xBF\xBD";
        if (bytes.empty())
            break;
        bytes.remove_prefix(1);
    }
    return out;
}

// How the program encodes a character: the converter's code, when that code reads back as
// the same character (a look-alike would change what the user typed).
std::optional<std::string> encodedByGlibc(Converter& encoder, Converter& decoder, char32_t cp)
{
    std::string utf8;
    grimtally::appendUtf8(utf8, cp);
    std::string_view in = utf8;
    std::string out;
    if (!encoder.convert(in, out) || !in.empty() || shownByGlibc(decoder, out) != utf8)
        return std::nullopt;
    return out;
}

TEST(SjisGlibc, TheTableShowsEveryPairOfBytesAsTheConverterDoes)
{
    Converter decoder("UTF-8", "CP932");
    ASSERT_TRUE(decoder.valid());
    for (int pair = 0; pair < 0x10000; ++pair) {
        const std::string bytes{static_cast<char>(pair >> 8), static_cast<char>(pair & 0xFF)};
        ASSERT_EQ(grimtally::cp932ToUtf8(bytes), shownByGlibc(decoder, bytes))
            << testing::PrintToString(bytes);
        ASSERT_EQ(grimtally::cp932ToUtf8(bytes.substr(1)), shownByGlibc(decoder, bytes.substr(1)))
            << testing::PrintToString(bytes);
    }
}

TEST(SjisGlibc, TheTableEncodesEveryCharacterAsTheConverterDoes)
{
    Converter encoder("CP932", "UTF-8");
    Converter decoder("UTF-8", "CP932");
    ASSERT_TRUE(encoder.valid() && decoder.valid());
    int held = 0;
    for (char32_t cp = 0; cp < 0x10000; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            continue;
        // Input-method characters are taken as their full-width forms first.
        char32_t asTyped = cp;
        for (const auto& [typed, twin] : {std::pair<char32_t, char32_t>{0x301C, 0xFF5E},
                                          {0x2212, 0xFF0D},
                                          {0x2016, 0x2225},
                                          {0xA2, 0xFFE0},
                                          {0xA3, 0xFFE1},
                                          {0xAC, 0xFFE2}}) {
            if (cp == typed)
                asTyped = twin;
        }
        std::string utf8;
        grimtally::appendUtf8(utf8, cp);
        const std::optional<std::string> ours = grimtally::utf8ToCp932(utf8);
        ASSERT_EQ(ours, encodedByGlibc(encoder, decoder, asTyped))
            << "U+" << std::hex << static_cast<unsigned>(cp);
        held += ours.has_value();
    }
    EXPECT_GT(held, 7000);
}

TEST(SjisGlibc, ExactlyTheSecondCodesAreNotExact)
{
    Converter decoder("UTF-8", "CP932");
    int secondCodes = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!grimtally::isCp932LeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string shown = shownByGlibc(decoder, bytes);
            std::string exact;
            const bool isExact = grimtally::appendExactUtf8(bytes, exact);
            EXPECT_EQ(isExact, grimtally::utf8ToCp932(shown) == bytes)
                << testing::PrintToString(bytes);
            secondCodes += !isExact && shown.find("\xEF\xBF\xBD") == std::string::npos;
        }
    }
    EXPECT_EQ(secondCodes, 398);
}

} // namespace
