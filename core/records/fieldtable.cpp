#include "core/records/fieldtable.h"

#include <unordered_map>

namespace grimtally {

int fieldOfKey(std::string_view key)
{
    static const std::unordered_map<std::string_view, int> fields = [] {
        std::unordered_map<std::string_view, int> map;
        for (const FieldInfo& info : kFieldTable)
            map.emplace(info.key, info.field);
        return map;
    }();
    const auto found = fields.find(key);
    return found == fields.end() ? kFieldCount : found->second;
}

} // namespace grimtally
