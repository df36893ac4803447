#include "core/text/cp932fold.h"
#include "core/text/sjis.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using grimtally::foldedText;
using grimtally::FoldedUnit;
using grimtally::isStrayUnit;

namespace {

std::string sjis(const char* utf8)
{
    return grimtally::utf8ToCp932(utf8).value();
}

TEST(Cp932Fold, FoldsWhatJapaneseUsersTakeForTheSame)
{
    // Every text of a row folds to what the first one does.
    const std::vector<std::vector<std::string>> alike = {
        {sjis("GOBLIN"), sjis("goblin"), sjis("Ｇｏｂｌｉｎ"), sjis("ＧＯＢＬＩＮ")},
        {sjis("123"), sjis("１２３")},
        {sjis("ゴブリン"), sjis("ごぶりん"), sjis("ｺﾞﾌﾞﾘﾝ"), sjis("ゴぶりﾝ")},
        {sjis("パピプペポ"), sjis("ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"), sjis("ぱぴぷぺぽ")},
        {sjis("ヴ"), sjis("ｳﾞ")},
        {sjis("ガギグゲゴザジズゼゾダヂヅデド"), sjis("ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞ")},
        {sjis("ヲァィゥェォャュョッー"), sjis("ｦｧｨｩｪｫｬｭｮｯｰ"), sjis("をぁぃぅぇぉゃゅょっー")},
        {sjis("。「」、・゛゜"), sjis("｡｢｣､･ﾞﾟ")},
        {sjis("ヽヾ"), sjis("ゝゞ")},
        {sjis("(A-1)/B"), sjis("（ａ－１）／ｂ")},
        {" ", sjis("　")},
        {sjis("ΑΩ"), sjis("αω")},
        {sjis("АЯЁ"), sjis("аяё")},
        {sjis("Ⅰ"), sjis("ⅰ")},
    };
    for (const auto& texts : alike) {
        for (const std::string& text : texts)
            EXPECT_EQ(foldedText(text), foldedText(texts[0])) << grimtally::cp932ToUtf8(text);
    }
}

TEST(Cp932Fold, KeepsApartWhatDiffers)
{
    const std::vector<std::pair<std::string, std::string>> apart = {
        {sjis("カ"), sjis("ガ")}, {sjis("ハ"), sjis("バ")}, {sjis("バ"), sjis("パ")},
        {sjis("ｶ"), sjis("ｶﾞ")},  {sjis("ア"), sjis("ｱﾞ")}, // no such letter: two characters
        {sjis("ツ"), sjis("ッ")},                           // small kana are letters of their own
        {"\x8A\x61", "\x8A\x41"},                           // a trail byte is no letter
        {"\x83\x5C", "\x83\x7C"},                           // nor a backslash or a bar
        {"\x80", "\xA0"},                                   // bytes that are no character
        {"\x81", "\x81\x40"}, // a lead byte alone is not the character it begins
    };
    for (const auto& [a, b] : apart)
        EXPECT_NE(foldedText(a), foldedText(b)) << grimtally::cp932ToUtf8(a);
}

TEST(Cp932Fold, BytesThatAreNoCharacterStayThemselves)
{
    struct Case {
        std::string bytes;
        std::vector<FoldedUnit> units;
    };
    const std::vector<Case> cases = {
        {"\x80\xA0\xFD\xFE\xFF", {0x80, 0xA0, 0xFD, 0xFE, 0xFF}},
        {"a\x81", {'A', 0x81}},            // a lead byte at the end
        {"\x81 1", {0x81, ' ', '1'}},      // one before a byte that is no trail byte
        {"\x85\x40", {0x85, '@'}},         // a pair that is no character: shown as two
        {"\x82\xA0\x82", {0x8341, 0x82}},  // あ, then a lead byte alone
        {std::string("\0b", 2), {0, 'B'}}, // NUL is a character
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(foldedText(c.bytes), c.units) << grimtally::cp932ToUtf8(c.bytes);
}

// Every single byte and every pair of bytes: a character folds to a character (never to a
// unit that stands for a stray byte), its second code folds as its first does, and what is
// no character folds byte by byte.
TEST(Cp932Fold, EveryCodeOfTheCodePage)
{
    for (unsigned first = 0; first < 0x100; ++first) {
        for (unsigned second = 0; second < 0x100; ++second) {
            const std::string bytes = {static_cast<char>(first), static_cast<char>(second)};
            const std::string shown = grimtally::cp932ToUtf8(bytes);
            const std::vector<FoldedUnit> units = foldedText(bytes);
            const bool pair = grimtally::isCp932LeadByte(static_cast<unsigned char>(first)) &&
                              shown.find("\xEF\xBF\xBD") == std::string::npos;
            if (!pair)
                continue;
            ASSERT_EQ(units.size(), 1u) << std::hex << first << ' ' << second;
            EXPECT_FALSE(isStrayUnit(units[0])) << std::hex << first << ' ' << second;
            const std::string first_code = grimtally::utf8ToCp932(shown).value_or(bytes);
            EXPECT_EQ(foldedText(first_code), units) << std::hex << first << ' ' << second;
        }
        const std::string single(1, static_cast<char>(first));
        const std::vector<FoldedUnit> units = foldedText(single);
        ASSERT_EQ(units.size(), 1u);
        const bool character = grimtally::cp932ToUtf8(single) != "\xEF\xBF\xBD";
        EXPECT_EQ(isStrayUnit(units[0]), !character) << std::hex << first;
    }
}

} // namespace
