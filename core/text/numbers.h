// Decimal numbers as the program's texts write them: leading blanks, an optional sign, then
// digits. The list's sort, the rule tables and the generation settings all read them so.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace grimtally {

struct LeadingNumber {
    std::int64_t value = 0; // 0 without digits; saturated instead of overflowing
    bool whole = false;     // there were digits and nothing after them
};

// Reads the number a text starts with, up to the first byte that is not a digit.
LeadingNumber readLeadingNumber(std::string_view text);

// Blanks, an optional sign, one or more digits and nothing else, fitting in 32 bits.
std::optional<int> readInteger(std::string_view text);

} // namespace grimtally
