// An INI file held in memory as its lines: read whole, changed key by key, written whole.
// Works on code page 932 bytes; unlike QSettings it never treats a backslash as an escape.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
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

    // Rewrites an existing key in place, appends a missing key at the end of its section
    // (before any trailing blank lines), and a missing section at the end of the file.
    void writeString(std::string_view section, std::string_view key, std::string_view value);

    // The file's lines with CR LF after each; untouched lines come back byte for byte.
    std::string serialize() const;
    void save(const std::filesystem::path& file) const; // atomic, throws FileError

private:
    std::vector<std::string> lines_;
};

} // namespace grimtally
