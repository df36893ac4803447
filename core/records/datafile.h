// The enemy data file: one record per line, the quoted name, a comma, and 47 fields as
// comma text; lines end in CR LF.
#pragma once

#include "core/records/record.h"
#include "core/records/recordstore.h"
#include "core/text/filefingerprint.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace grimtally {

// How many refused line numbers a parse keeps: enough to find them, not one per line of a
// file that is no data file at all.
inline constexpr std::size_t kRefusedLineNumbersKept = 10;

struct ParsedDataFile {
    RecordBatch records; // lines that split into exactly 48 items, kept where they were read
    std::int64_t refusedLines = 0; // lines that split into anything else but nothing
    // The first refused lines by number in the file (from 1; empty lines count), at most
    // kRefusedLineNumbersKept of them.
    std::vector<std::int64_t> refusedLineNumbers;
    bool hadLines = false; // false when every line was empty (store stays as it was)
    // "UTF-8", "UTF-16" or "UTF-32" when the bytes begin with that byte-order mark: such a
    // file is refused whole, nothing in it is read.
    std::string_view unicodeEncoding;
    // Set by readDataFile: what the file held as it was read.
    FileFingerprint fingerprint;
};

// "UTF-8", "UTF-16" or "UTF-32" when `bytes` begin with that byte-order mark, else empty. A
// Unicode file saved by another editor, read as Shift-JIS, would have its mark and the
// quotes after it inside the first name, or every byte refused.
std::string_view unicodeByteOrderMark(std::string_view bytes);

// Empty lines are dropped, lines of blanks only are passed over, the rest are records or
// refused.
ParsedDataFile parseDataFile(std::string_view bytes);
// The same over bytes the records may then keep: each record is decoded into the room its
// line took, so the file's bytes are held once.
ParsedDataFile parseDataFile(std::shared_ptr<char[]> bytes, std::size_t size);

// Reads and parses the file. Throws FileError when it cannot be read, also when it is too
// large for the memory there is.
ParsedDataFile readDataFile(const std::filesystem::path& file);

// One line without its line break: "name" (inner quotes doubled) + "," + the fields joined.
std::string formatRecordLine(std::string_view name, FieldsView fields);

// Slots 1..n in slot order, CR LF after each line; no records gives no bytes. Returns how
// many bytes were written and their ContentHash.
struct WrittenBytes {
    std::uint64_t size = 0;
    std::uint64_t hash = 0;
};
WrittenBytes writeDataFile(std::ostream& out, const RecordStore& store);
// Atomic; returns what the file holds now.
FileFingerprint saveDataFile(const std::filesystem::path& file, const RecordStore& store);

} // namespace grimtally
