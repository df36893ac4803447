// An enemy laid out like its entry in a game book, written once and rendered as HTML for
// Qt's rich text (screen, print, PDF) and as Markdown. Texts are UTF-8.
#pragma once

#include "core/exchange/captions.h"
#include "core/records/listcells.h"
#include "core/records/recordstore.h"

#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace grimtally {

struct StatBlock {
    struct Row {
        std::string caption;
        std::vector<std::string> lines; // one for most rows, one per ability
    };
    struct Attack {
        std::string caption; // "Attack 2"
        std::string method;
        std::string hit; // "8 (2D6+1)"
        std::string damage;
    };

    std::string name;
    std::string classify;
    std::vector<Row> rows;       // level to movement
    std::vector<Attack> attacks; // the attacks the record has
    std::vector<Row> defences;   // dodge and prevent to language
    // Column headings of the attacks: method, hit, damage.
    std::string methodHeading, hitHeading, damageHeading;
};

// Rows whose fields are all empty are left out; a value that reads as an integer beside a
// dice base (hit, dodge, resists, magic power) gets its base as the editor shows it.
StatBlock layOutStatBlock(std::string_view name, CellFields fields, const Captions& captions);

// One block: a table that Qt's rich text lays out as it is (no external style sheet).
// `pageBreakBefore` starts it on a new page when printed.
std::string statBlockHtml(const StatBlock& block, bool pageBreakBefore = false);
std::string statBlockMarkdown(const StatBlock& block);

// A whole UTF-8 HTML document of the blocks of `slots`, `perPage` blocks to a printed page
// (1 or 2; 0 for no page breaks at all).
void writeStatBlocksHtml(std::ostream& out, const RecordStore& store, std::span<const int> slots,
                         const Captions& captions, int perPage);
// The Markdown of the blocks of `slots`, one after another.
void writeStatBlocksMarkdown(std::ostream& out, const RecordStore& store,
                             std::span<const int> slots, const Captions& captions);

// Escapes for the two renderings, kept here so that every exporter quotes texts alike.
void appendHtmlEscaped(std::string& out, std::string_view utf8);
void appendMarkdownEscaped(std::string& out, std::string_view utf8);

} // namespace grimtally
