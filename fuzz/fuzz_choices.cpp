// Fuzzes reading a choice file and deriving every attack it defines.
#include "core/rules/choicetables.h"
#include "core/rules/combat.h"
#include "core/text/inifile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace grimtally;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ChoiceTables tables;
    try {
        tables = readChoiceTables(IniFile::parse(bytes), "Choices.txt");
    } catch (const ChoiceFileError&) {
        return 0;
    }
    for (std::size_t row = 0; row < tables.attacks.size(); ++row) {
        // Extremes of what a spin edit can hold, and ordinary values.
        for (std::int64_t level : {1, 999, -2147483647 - 1, 2147483647}) {
            try {
                attackValues(tables, static_cast<int>(row), level, level);
            } catch (const RuleError&) {
            }
        }
    }
    return 0;
}
