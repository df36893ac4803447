// The display words of "Language.txt": the vocabulary of section "common", the new-entry
// word of section "list", and the editor words of section "editor".
#pragma once

#include "core/records/listcells.h"
#include "core/text/inifile.h"
#include "core/words/wordindex.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace grimtally {

struct Vocabulary {
    std::vector<std::string> words; // VocabularySize entries
    std::string anew;               // the new-entry word

    const std::string& operator[](int index) const { return words.at(index); }
    CellWords cellWords() const { return {words.at(VocSlash), words.at(VocHyphen)}; }
};

// Longer words are cut to this many bytes for showing; the file keeps them whole.
inline constexpr std::size_t kMaxWordBytes = 1024;

// A present key gives its value, also when empty; only a missing key gives the default.
Vocabulary readVocabulary(const IniFile& ini);
// Writes the words whose keys the file lacks, "common" in table order, then "list"; a
// present key keeps its line. True when that changed the file.
bool writeVocabulary(IniFile& ini, const Vocabulary& vocabulary);

// The twenty captions of the main list's columns.
std::vector<std::string> listColumnCaptions(const Vocabulary& vocabulary);

// Every key the program reads from "Language.txt", with its section, in the order in which it
// adds the missing ones: the vocabulary, the new-entry word, the editor words.
struct WordKey {
    std::string_view section;
    std::string_view key;
};
std::vector<WordKey> languageKeys();

std::vector<std::string> readEditorWords(const IniFile& ini); // EditorWordCount entries
bool writeEditorWords(IniFile& ini, const std::vector<std::string>& words); // as above

} // namespace grimtally
