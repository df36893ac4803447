// Records the record tests share: a realistic enemy and a way to build field lists.
#pragma once

#include "core/records/record.h"
#include "core/records/roworder.h"

#include <string>
#include <vector>

namespace grimtally::test {

// A wolf with a second movement, two attacks, one magic, abilities and sub-senses.
inline std::vector<std::string> wolfFields()
{
    return {
        "Beast",  "3",    "12",     "",           "14",
        "15",     "Walk", "6",      "Swim",       "2",
        "5",      "Rare", "Animal", "Hostile",    "",
        "Bite",   "8",    "2d+3",   "Claw",       "7",
        "2d",     "",     "",       "",           "7",
        "3",      "30",   "5",      "10",         "4",
        "Fire",   "2",    "9",      "",           "",
        "",       "",     "",       "",           R"("Keen nose",Night)",
        "Forest", "None", "Smell",  "Heat,Sound", "15",
        "Large",  "Soft",
    };
}

inline FieldList fieldList(const std::vector<std::string>& fields)
{
    return FieldList(std::span<const std::string>(fields));
}

inline EnemyRecord record(std::string name, const std::vector<std::string>& fields)
{
    return EnemyRecord{std::move(name), fieldList(fields)};
}

// 47 fields with `level` in the level field and the rest empty.
inline EnemyRecord levelRecord(std::string name, std::string level)
{
    std::vector<std::string> fields(kFieldCount);
    fields[FieldLevel] = std::move(level);
    return record(std::move(name), fields);
}

// The slot each row shows, row 0 first.
inline std::vector<int> slotsInRowOrder(const RowOrder& rows)
{
    std::vector<int> slots;
    for (int row = 0; row < rows.rowCount(); ++row)
        slots.push_back(rows.slotOfRow(row));
    return slots;
}

} // namespace grimtally::test
