#include "core/text/lines.h"

namespace grimtally {

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* start = begin;
    const char* p = begin;
    while (p < end) {
        char c = *p;
        if (c != '\r' && c != '\n') {
            ++p;
            continue;
        }
        lines.emplace_back(start, static_cast<size_t>(p - start));
        ++p;
        if (c == '\r' && p < end && *p == '\n')
            ++p;
        start = p;
    }
    if (start < end)
        lines.emplace_back(start, static_cast<size_t>(end - start));
    return lines;
}

} // namespace grimtally
