// Enemies as CSV for spreadsheets: UTF-8, RFC 4180 (CR LF, quotes where needed), a header
// row of the captions the program shows, one row per enemy with the name and 47 fields; the
// ability and sub-sense lists hold one item a line.
#pragma once

#include "core/exchange/captions.h"
#include "core/records/recordstore.h"

#include <ostream>
#include <span>
#include <string>

namespace grimtally {

// `byteOrderMark` puts U+FEFF first, which some spreadsheets need to take the file as UTF-8.
void writeEnemiesCsv(std::ostream& out, const RecordStore& store, std::span<const int> slots,
                     const Captions& captions, bool byteOrderMark = false);

} // namespace grimtally
