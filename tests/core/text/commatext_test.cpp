#include "core/text/commatext.h"

#include <gtest/gtest.h>
#include <random>

using grimtally::joinCommaText;
using grimtally::splitCommaText;
using grimtally::splitCommaTextAtMost;
using grimtally::splitCommaTextInto;
using List = std::vector<std::string>;

namespace {

using namespace std::string_literals;

struct JoinCase {
    const char* what;
    List items;
    std::string text;
};

TEST(CommaText, JoinsByTheRules)
{
    const JoinCase cases[] = {
        {"empty list", {}, ""},
        {"one empty item", {""}, "\"\""},
        {"empty item between", {"a", "", "b"}, "a,,b"},
        {"two empty items", {"", ""}, ","},
        {"blank is quoted", {"a b", "c"}, "\"a b\",c"},
        {"tab is quoted", {"a\tb"}, "\"a\tb\""},
        {"control byte is quoted", {"\x01"}, "\"\x01\""},
        {"NUL is quoted", {"a\0b"s}, "\"a\0b\""s},
        {"comma is quoted", {"a,b"}, "\"a,b\""},
        {"quotes are doubled", {"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {"lone quote", {"\""}, "\"\"\"\""},
        {"0x7F and high bytes are plain", {"\x7F\xA0\xFF"}, "\x7F\xA0\xFF"},
        {"double-byte characters are plain", {"\x83\x5C", "\x95\x7C"}, "\x83\x5C,\x95\x7C"},
        {"trailing empty item", {"a", ""}, "a,"},
    };
    for (const JoinCase& c : cases)
        EXPECT_EQ(joinCommaText(c.items), c.text) << c.what;
}

TEST(CommaText, JoinsViews)
{
    const std::vector<std::string_view> views = {"a b", "", "c"};
    EXPECT_EQ(joinCommaText(views), "\"a b\",,c");
}

struct SplitCase {
    const char* what;
    std::string text;
    List items;
};

TEST(CommaText, SplitsByTheRules)
{
    const SplitCase cases[] = {
        {"empty text", "", {}},
        {"only blanks", " \t \x01 ", {}},
        {"two double quotes", "\"\"", {""}},
        {"plain items", "a,b,c", {"a", "b", "c"}},
        {"two commas", "a,,b", {"a", "", "b"}},
        {"leading comma", ",a", {"", "a"}},
        {"only commas", ",,", {"", "", ""}},
        {"blank ends an item", "a b", {"a", "b"}},
        {"blanks around commas", "  a ,  b  ", {"a", "b"}},
        {"comma after blanks after comma", "a, ,b", {"a", "", "b"}},
        {"final comma", "a,", {"a", ""}},
        {"quoted", "\"a b\",\"c,d\"", {"a b", "c,d"}},
        {"doubled quotes", "\"x\"\"y\"\"\"", {"x\"y\""}},
        {"quoted empty then more", "\"\",a", {"", "a"}},
        {"text right after closing quote", "\"a\"b", {"a", "b"}},
        {"double-byte with 0x5C and 0x7C", "\x83\x5C,\x95\x7C", {"\x83\x5C", "\x95\x7C"}},
        {"high bytes", "\xFF\x80,\xA0", {"\xFF\x80", "\xA0"}},
        // Our choices for input the program never writes.
        {"comma followed only by blanks", "a,  \t", {"a", ""}},
        {"lone comma among blanks", " , ", {"", ""}},
        {"unclosed quote takes the rest", "a,\"b, c", {"a", "b, c"}},
        {"unclosed quote with doubled quotes", "\"b\"\"c", {"b\"c"}},
        {"unclosed quote ending in doubled quote", "\"b\"\"", {"b\""}},
        {"lone quote", "\"", {""}},
        {"NUL ends an unquoted item", "a\0b"s, {"a", "b"}},
        {"NUL alone", "\0"s, {}},
        {"NUL before comma", "a\0,b"s, {"a", "b"}},
        {"NUL kept inside quotes", "\"a\0b\""s, {"a\0b"s}},
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(splitCommaText(c.text), c.items) << c.what;
}

TEST(CommaText, SplitIntoReplacesWhatWasThere)
{
    List out = {"a long item that should be gone", "x", "y", "z"};
    splitCommaTextInto("p,\"q r\"", out);
    EXPECT_EQ(out, (List{"p", "q r"}));
    splitCommaTextInto("", out);
    EXPECT_TRUE(out.empty());
    splitCommaTextInto("1,2,3,4,5,6", out);
    EXPECT_EQ(out, (List{"1", "2", "3", "4", "5", "6"}));
}

TEST(CommaText, SplitAtMostStopsAtTheFirstItemTooMany)
{
    struct Case {
        std::string text;
        std::size_t maxItems;
        bool whole;
        List items;
    };
    const Case cases[] = {
        {"a,b,c", 3, true, {"a", "b", "c"}},
        {"a,b,c,d,e", 3, false, {"a", "b", "c"}},
        {"a,b,", 3, true, {"a", "b", ""}},
        {"a,b,c,", 3, false, {"a", "b", "c"}}, // the final empty item is one too many
        {"  ", 0, true, {}},
    };
    List out = {"left over"};
    for (const Case& c : cases) {
        EXPECT_EQ(splitCommaTextAtMost(c.text, c.maxItems, out), c.whole) << c.text;
        EXPECT_EQ(out, c.items) << c.text;
    }
}

TEST(CommaText, RoundTripsAwkwardLists)
{
    const List lists[] = {
        {},
        {""},
        {"", ""},
        {"", "", ""},
        {"a", ""},
        {"", "a"},
        {" "},
        {"\""},
        {"\"\""},
        {","},
        {" leading", "trailing ", "in side"},
        {"a\"b", "c,d", "e f", ""},
        {"\x83\x5C", "\x95\x7C", "\x83\x5C\"", "\x95\x7C,\x83\x5C"},
        {"\t", "\r\n", "\x01\x1F"},
        {std::string(1, '\0'), "x\0y"s},
    };
    for (const List& list : lists) {
        std::string text = joinCommaText(list);
        EXPECT_EQ(splitCommaText(text), list) << "joined as [" << text << "]";
    }
}

TEST(CommaText, RandomListsRoundTrip)
{
    // Bytes that matter to the rules, and both halves of double-byte characters that look
    // like a backslash or a bar.
    const std::string alphabet = "ab ,\"\t\x01\x83\x5C\x95\x7C\xFF\x20\x7F"s + '\0';
    std::mt19937 engine(20261207);
    std::uniform_int_distribution<size_t> count(0, 8);
    std::uniform_int_distribution<size_t> length(0, 6);
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    List out;
    for (int round = 0; round < 20000; ++round) {
        List list(count(engine));
        for (std::string& item : list) {
            item.resize(length(engine));
            for (char& c : item)
                c = alphabet[pick(engine)];
        }
        std::string text = joinCommaText(list);
        splitCommaTextInto(text, out);
        ASSERT_EQ(out, list) << "round " << round << ", joined as [" << text << "]";
    }
}

// The split into runs finds well-formed text by its own means; on anything it must give
// what the split into strings gives, stopping where it stops.
TEST(CommaText, RunsSplitAsStringsDo)
{
    const std::string alphabet = "ab ,,\"\"\"\t\x83\x5C\xFF"s + '\0';
    std::mt19937 engine(20261208);
    auto below = [&](std::size_t n) {
        return std::uniform_int_distribution<size_t>(0, n - 1)(engine);
    };
    // Quotes inside plain items and next to the 64-byte steps, which random text seldom has.
    const std::string a62(62, 'a');
    const std::vector<std::string> hostile = {"ab\"c,d\"", "\"" + a62 + "\"x,y",
                                              "a" + a62 + "\"b,c\"", "a" + a62 + "a\"b,c\"",
                                              "\"" + a62 + "\"\"\",x"};
    grimtally::ItemRuns runs;
    List strings;
    for (int round = 0; round < 30000; ++round) {
        std::string text;
        if (round < static_cast<int>(hostile.size())) {
            text = hostile[static_cast<std::size_t>(round)];
        } else if (round % 2 == 0) {
            // Written text across several 64-byte blocks, with a byte or two changed.
            List list(below(60));
            for (std::string& item : list) {
                item.resize(below(round % 4 == 0 ? 70 : 6));
                for (char& c : item)
                    c = alphabet[below(alphabet.size())];
            }
            text = joinCommaText(list);
            for (std::size_t changes = below(3); changes > 0 && !text.empty(); --changes)
                text[below(text.size())] = alphabet[below(alphabet.size())];
        } else {
            text.resize(below(200));
            for (char& c : text)
                c = alphabet[below(alphabet.size())];
        }
        // Also with bytes after the text, which a split allowed to read them must not take in.
        const std::string more = text + "\",a \"" + text;
        const std::string_view inMore(more.data(), text.size());
        for (std::size_t most :
             {size_t{0}, size_t{1}, size_t{5}, size_t{48}, size_t{49}, size_t{1000}}) {
            const bool whole = splitCommaTextAtMost(text, most, strings);
            for (const char* readable :
                 {static_cast<const char*>(nullptr), more.data() + more.size()}) {
                ASSERT_EQ(splitCommaTextAtMost(inMore, most, runs, readable), whole) << text;
                List fromRuns;
                std::size_t offset = 0;
                for (std::size_t i = 0; i < runs.count; ++i) {
                    fromRuns.emplace_back(runs.bytes.data() + offset, runs.lengths[i]);
                    offset += runs.lengths[i];
                }
                ASSERT_EQ(offset, runs.byteCount);
                ASSERT_EQ(fromRuns, strings) << "at most " << most << " of [" << text << "]";
            }
        }
    }
}

} // namespace
