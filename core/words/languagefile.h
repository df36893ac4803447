// "Language.txt" as the program uses it: read once at start for every window that takes
// words from it, and written back only when a window's words add something to it.
#pragma once

#include "core/text/inifile.h"
#include "core/words/vocabulary.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace grimtally {

class LanguageFile {
public:
    // Gives no words and is never written: what stands in when the file could not be read.
    LanguageFile() = default;

    // A missing file reads as empty. A file that cannot be read gives no words and a
    // problem; one that is not Shift-JIS text (UTF-16, NUL bytes) gives the lines that can
    // be read and a problem, and is never written. Throws only when memory runs out.
    static LanguageFile load(const std::filesystem::path& file);
    // The same for bytes already read from `file`.
    static LanguageFile fromBytes(const std::filesystem::path& file, std::string_view bytes);

    const IniFile& ini() const { return ini_; }
    // The language of the program's own texts, key "language" of section "program", with
    // blanks trimmed and ASCII letters lowered; empty when the file chooses none. The key is
    // only read: a file without it runs with the built-in texts and is never given it.
    std::string programLanguage() const;
    bool writable() const { return writable_; }

    // What the user is to be told once; the windows put it in words, in their language.
    // Unreadable: no words at all, readError() has the system's text with the file name.
    // Utf16, NulBytes: not Shift-JIS text; the lines that can be read are used.
    enum class Problem { None, Unreadable, Utf16, NulBytes };
    Problem problem() const { return problem_; }
    const std::string& readError() const { return readError_; }
    const std::filesystem::path& file() const { return file_; }

    // Adds the keys of the words that the file lacks and saves it when that, or an earlier
    // store whose saving failed, changed it. Throws FileError when saving fails.
    void storeVocabulary(const Vocabulary& vocabulary);
    void storeEditorWords(const std::vector<std::string>& words);

private:
    void saveIfChanged();

    std::filesystem::path file_;
    IniFile ini_;
    Problem problem_ = Problem::None;
    std::string readError_;
    bool writable_ = false;
    bool changed_ = false;
};

} // namespace grimtally
