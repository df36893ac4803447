// The one crossing between code page 932 bytes (core) and QString (widgets).
#pragma once

#include <QString>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace grimtally::ui {

QString fromCp932(std::string_view bytes);
// Nothing when the text holds a character code page 932 cannot; the input-method forms of
// the wave dash, minus sign and a few others are mapped to their full-width forms first.
std::optional<std::string> toCp932(const QString& text);

// A file name from a dialog as the file system wants it, and back for showing.
std::filesystem::path toPath(const QString& fileName);
QString fromPath(const std::filesystem::path& file);

// Remembers the bytes a control was filled with, so that a text the user did not change is
// stored again byte for byte even where two codes decode to the same character.
class ByteText {
public:
    QString set(std::string_view bytes); // returns the text to show
    // The bytes for `shown`: the original ones while the text is unchanged, else encoded;
    // characters before and after an edited stretch keep their original bytes. A character
    // that cannot be encoded never reaches here (the controls refuse it); if one does, it
    // becomes '?'.
    std::string bytesFor(const QString& shown) const;
    const QString& text() const { return text_; } // the text the bytes decode to

private:
    std::string bytes_;
    QString text_;
    bool roundTrips_ = true; // encoding text_ gives bytes_ again
};

} // namespace grimtally::ui
