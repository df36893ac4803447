#include "core/text/numbers.h"

#include <climits>
#include <gtest/gtest.h>
#include <limits>

namespace grimtally {
namespace {

TEST(Numbers, LeadingNumberAndWhetherItIsAllTheText)
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    struct Case {
        std::string_view text;
        std::int64_t value;
        bool whole;
    };
    const Case cases[] = {
        {"", 0, false},
        {"  +12", 12, true},
        {"-7", -7, true},
        {"12(Walk)", 12, false},
        {"- 5", 0, false},
        {"5 ", 5, false},
        {"9223372036854775807", kMax, true},
        {"99999999999999999999", kMax, true},
        {"-9223372036854775808", kMin, true},
        {"-99999999999999999999x", kMin, false},
    };
    for (const Case& c : cases) {
        const LeadingNumber number = readLeadingNumber(c.text);
        EXPECT_EQ(number.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(number.whole, c.whole) << '"' << c.text << '"';
    }
}

TEST(ReadInteger, AcceptsOnlyBlanksSignAndDigitsWithin32Bits)
{
    struct Case {
        const char* text;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {"12", 12},
        {" 12", 12},
        {"   -4", -4},
        {"+3", 3},
        {"-4", -4},
        {"007", 7},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"1.5", std::nullopt},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"12 ", std::nullopt},
        {"+", std::nullopt},
        {"- 3", std::nullopt},
        {"\t5", std::nullopt},
        {"1e3", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"Hold", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readInteger(c.text), c.expected) << '"' << c.text << '"';
}

} // namespace
} // namespace grimtally
