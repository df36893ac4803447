#include "core/text/sjis.h"

#include <gtest/gtest.h>
#include <optional>

using grimtally::containsCp932;
using grimtally::cp932ToUtf8;
using grimtally::equalsIgnoringAsciiCase;
using grimtally::isCp932LeadByte;
using grimtally::utf8ToCp932;

using namespace std::string_literals;

namespace {

TEST(Sjis, RoundTripsJapaneseAndAscii)
{
    struct Case {
        std::string cp932;
        std::string utf8;
    };
    const Case cases[] = {
        {"\\", "\\"}, // a backslash, not a yen sign
        {"~", "~"},
        {"\x83\x5C\x95\x7C", "ソ怖"},
        {"\x82\xA0\x83\x41", "あア"},
        {"\xB1\xDF", "ｱﾟ"}, // half-width katakana
        {"\x81\x60\x81\x7C", "～－"},
        {"\x87\x40", "①"}, // NEC special
        {"\xFA\x40", "ⅰ"}, // IBM extension
        {"a\0b"s, "a\0b"s},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp932ToUtf8(c.cp932), c.utf8);
        EXPECT_EQ(utf8ToCp932(c.utf8), c.cp932) << c.utf8;
    }
}

TEST(Sjis, MapsInputMethodCharactersToTheirFullWidthForms)
{
    EXPECT_EQ(utf8ToCp932("\u301C"), "\x81\x60");
    EXPECT_EQ(utf8ToCp932("\u2212"), "\x81\x7C");
    EXPECT_EQ(utf8ToCp932("\u2016"), "\x81\x61");
    EXPECT_EQ(utf8ToCp932("\u00A2"), "\x81\x91");
    EXPECT_EQ(utf8ToCp932("\u00A3"), "\x81\x92");
    EXPECT_EQ(utf8ToCp932("\u00AC"), "\x81\xCA");
    EXPECT_EQ(utf8ToCp932("10\u301C20"), "10\x81\x60"
                                         "20");
}

TEST(Sjis, RefusesWhatItCannotHold)
{
    EXPECT_EQ(utf8ToCp932("\U0001F600"), std::nullopt);
    EXPECT_EQ(utf8ToCp932("ok\u00A5"), std::nullopt) << "a yen sign must not become a backslash";
    EXPECT_EQ(utf8ToCp932("\u00E9"), std::nullopt);
    // Malformed UTF-8: stray continuation, overlong NUL, surrogate, cut-off sequence.
    for (const char* bad : {"\x80", "\xC0\x80", "\xED\xA0\x80", "\xE3\x81", "\xF8\x88\x80\x80"})
        EXPECT_EQ(utf8ToCp932(bad), std::nullopt) << bad;
}

TEST(Sjis, InvalidBytesDecodeAsReplacementCharacters)
{
    const std::string replacement = "\uFFFD";
    EXPECT_EQ(cp932ToUtf8("\xFF"), replacement);
    EXPECT_EQ(cp932ToUtf8("a\x81"), "a" + replacement) << "cut-off double-byte character";
    EXPECT_EQ(cp932ToUtf8("\x81\x20x"), replacement + " x") << "bad second byte is kept";
    EXPECT_EQ(cp932ToUtf8("\xFF\xFF\x82\xA0"), replacement + replacement + "あ");
    std::string allBytes;
    for (int b = 0; b < 256; ++b)
        allBytes += static_cast<char>(b);
    EXPECT_FALSE(cp932ToUtf8(allBytes + allBytes).empty());
}

TEST(Sjis, LeadBytes)
{
    for (int b = 0; b < 256; ++b) {
        bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(isCp932LeadByte(static_cast<unsigned char>(b)), expected) << b;
    }
}

TEST(Sjis, ComparesNamesFoldingOnlyAsciiLetters)
{
    EXPECT_TRUE(equalsIgnoringAsciiCase("Common", "cOMMON"));
    EXPECT_TRUE(equalsIgnoringAsciiCase("", ""));
    EXPECT_FALSE(equalsIgnoringAsciiCase("common", "commons"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("[", "{"));
    // The second bytes 'A' and 'a' belong to two different characters.
    EXPECT_FALSE(equalsIgnoringAsciiCase("\x83\x41", "\x83\x61"));
    EXPECT_TRUE(equalsIgnoringAsciiCase("\x83\x41x", "\x83\x41X"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("\xE9", "\xC9")) << "only ASCII letters fold";
}

TEST(Sjis, FindsTextOnlyAtCharacterBoundaries)
{
    // "B" is the second byte of 0x83 0x42; "Scent" sits inside "Keen Scent".
    EXPECT_FALSE(containsCp932("\x83\x42", "B"));
    EXPECT_TRUE(containsCp932("\x83\x42\x42", "B")) << "the lone B after the character";
    EXPECT_TRUE(containsCp932("Keen Scent,Heat", "Scent"));
    EXPECT_TRUE(containsCp932("\x95\x5C\x83\x5C", "\x83\x5C"));
    EXPECT_FALSE(containsCp932("\x95\x5C", "\\"));
    EXPECT_FALSE(containsCp932("Sc", "Scent"));
    EXPECT_TRUE(containsCp932("anything", ""));
}

TEST(Sjis, CutsTextOnlyAtCharacterBoundaries)
{
    EXPECT_EQ(grimtally::cp932Prefix("ab\x83\x42", 3),
              "ab"); // not half of the double-byte character
    EXPECT_EQ(grimtally::cp932Prefix("ab\x83\x42", 4), "ab\x83\x42");
    EXPECT_EQ(grimtally::cp932Prefix("abc", 10), "abc");
}

} // namespace
