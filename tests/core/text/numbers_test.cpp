#include "core/text/numbers.h"

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

} // namespace
} // namespace grimtally
