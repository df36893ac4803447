// Splitting text into lines.
#pragma once

#include <string_view>
#include <vector>

namespace grimtally {

// Splits at CR LF, a lone CR or a lone LF; a last line without a break counts, a final
// break does not start another line. Empty lines are kept (callers decide).
std::vector<std::string_view> splitLines(std::string_view text);

} // namespace grimtally
