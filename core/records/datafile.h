// The enemy data file: one record per line, the quoted name, a comma, and 47 fields as
// comma text; lines end in CR LF.
#pragma once

#include "core/records/record.h"
#include "core/records/recordstore.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace grimtally {

struct ParsedDataFile {
    std::vector<EnemyRecord> records; // lines that split into exactly 48 items
    int refusedLines = 0;             // lines that split into anything else but nothing
    bool hadLines = false;            // false when every line was empty (store stays as it was)
};

// Empty lines are dropped, lines of blanks only are passed over, the rest are records or
// refused.
ParsedDataFile parseDataFile(std::string_view bytes);

// One line without its line break: "name" (inner quotes doubled) + "," + the fields joined.
std::string formatRecordLine(std::string_view name, const FieldList& fields);

// Slots 1..n in slot order, CR LF after each line; no records gives no bytes.
void writeDataFile(std::ostream& out, const RecordStore& store);
void saveDataFile(const std::filesystem::path& file, const RecordStore& store); // atomic

} // namespace grimtally
