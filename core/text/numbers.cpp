#include "core/text/numbers.h"

#include <limits>

namespace grimtally {

LeadingNumber readLeadingNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate towards the sign's side so that the lowest value is reachable too.
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    const std::size_t firstDigit = i;
    std::int64_t value = 0;
    bool saturated = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (saturated)
            continue;
        const int digit = text[i] - '0';
        if (negative ? value < (kMin + digit) / 10 : value > (kMax - digit) / 10) {
            value = negative ? kMin : kMax;
            saturated = true;
        } else {
            value = negative ? value * 10 - digit : value * 10 + digit;
        }
    }
    return {value, i > firstDigit && i == text.size()};
}

std::optional<int> readInteger(std::string_view text)
{
    const LeadingNumber number = readLeadingNumber(text);
    if (!number.whole || number.value < std::numeric_limits<int>::min() ||
        number.value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(number.value);
}

} // namespace grimtally
