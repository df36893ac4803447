// An INI file held in memory as its lines: read whole, changed key by key, written whole.
// Works on code page 932 bytes; unlike QSettings it never treats a backslash as an escape.
// Reading, looking up and writing keys take time in proportion to the file's size.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace grimtally {

class IniFile {
public:
    IniFile() = default;

    // A missing file reads as empty; an unreadable one throws FileError.
    static IniFile load(const std::filesystem::path& file);
    static IniFile parse(std::string_view bytes);

    // Section and key names are compared with ASCII letters folded. A key that is present
    // with an empty value is present: it gives "", not the default. Blanks after the '='
    // are dropped, blanks at the end of a value are part of it.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    bool hasSection(std::string_view section) const;

    // The rows of a section taken whole, in file order: every line up to the next header
    // except empty lines and comment lines (first non-blank ';'), with blanks at both ends
    // stripped. The same section appearing twice gives the rows of both.
    std::vector<std::string> sectionRows(std::string_view section) const;

    // Where things are, by line number from 1, in the file as it was read (for telling the
    // user where to look): the first header of a section, a key as value() finds it, the
    // rows sectionRows() gives, and the lines every reader passes over (neither blank, a
    // comment, a header nor a key, or a key before the first header).
    std::optional<std::size_t> lineOfSection(std::string_view section) const;
    std::optional<std::size_t> lineOfKey(std::string_view section, std::string_view key) const;
    std::vector<std::size_t> sectionRowLines(std::string_view section) const;
    std::vector<std::size_t> unreadLines() const;

    // Rewrites an existing key in place, appends a missing key at the end of its section
    // (before any trailing blank lines), and a missing section at the end of the file.
    // True when the file's text changed.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);

    // The file's lines with CR LF after each; untouched lines come back byte for byte.
    std::string serialize() const;
    void save(const std::filesystem::path& file) const; // atomic, throws FileError

private:
    // Lines are never moved: a line written in is linked in after its place, so the places
    // the index holds stay true and no write costs more than its own line.
    static constexpr std::uint32_t kNone = UINT32_MAX;
    enum class Kind : std::uint8_t { Other, Header, Key };
    struct Line {
        std::string text; // without its line break
        std::uint32_t next = kNone;
        Kind kind = Kind::Other;
    };
    // A header or key line by the hash of its names, letters folded. A header's `link` is the
    // line after which a missing key of that section goes; a key's is its header.
    struct Entry {
        std::uint64_t hash;
        std::uint32_t line;
        std::uint32_t link;
    };

    void reindex();
    std::string_view textOf(std::uint32_t line) const; // the first line without a byte order mark
    std::uint32_t append(std::string text, Kind kind, std::uint32_t after);
    const Entry* findHeader(std::string_view section) const;
    const Entry* findKey(std::string_view section, std::string_view key) const;
    template <typename Accept> const Entry* find(std::uint64_t hash, Accept accept) const;
    template <typename Visit> void forEachSectionRow(std::string_view section, Visit visit) const;

    std::vector<Line> lines_;
    std::uint32_t head_ = kNone;
    std::uint32_t tail_ = kNone;
    std::vector<Entry> index_; // of the parsed lines, sorted by hash, in file order within one
    std::unordered_multimap<std::uint64_t, Entry> added_; // of the lines written in since
};

} // namespace grimtally
