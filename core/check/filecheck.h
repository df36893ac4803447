// What is wrong with a data, choice, language or settings file, line by line, as the windows
// would refuse or mend it: for the command line's "check", which reads files without them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace grimtally {

enum class FileKind { Data, Choices, Language, Settings };

struct FileProblem {
    std::size_t line = 0; // from 1; 0 when it is about the file as a whole
    std::string where;    // UTF-8: the field, the section and key, or the section and row
    std::string message;  // UTF-8: what is wrong and what the program does about it
};

// By the sections the file holds: [Generate] a settings file, [common], [list] or [editor] a
// language file, any section of the choice file a choice file, and no section a data file.
FileKind guessFileKind(std::string_view bytes);
std::string_view fileKindName(FileKind kind); // "data", "choices", "language", "settings"

// Refused lines, and fields the editor empties, fills in or brings into range.
std::vector<FileProblem> checkDataFile(std::string_view bytes);
// Rows the choice loader refuses, and attack rows whose keys no rule table has.
std::vector<FileProblem> checkChoiceFile(std::string_view bytes);
// A file that is no Shift-JIS text, keys the program adds, words cut for showing, lines no
// reader takes.
std::vector<FileProblem> checkLanguageFile(std::string_view bytes);
// Section "Generate": missing keys, counts that are no whole number or out of range, flags
// and dice counts that read otherwise than they look.
std::vector<FileProblem> checkSettingsFile(std::string_view bytes);

std::vector<FileProblem> checkFile(FileKind kind, std::string_view bytes);

} // namespace grimtally
