// The display words of "Language.txt": the vocabulary of section "common", the new-entry
// word of section "list", and the editor words of section "editor".
#pragma once

#include "core/records/listcells.h"
#include "core/text/inifile.h"

#include <string>
#include <vector>

namespace grimtally {

// Vocabulary entries by index.
enum VocabularyIndex : int {
    VocSlash = 0, VocHyphen, VocName, VocClassify, VocLevel, VocCelebrity, VocDex, VocSpeed,
    VocCount, VocFrequency, VocInt, VocReaction, VocHit, VocDamage, VocDodge, VocPrevent,
    VocHP, VocSP, VocResist, VocAbility, VocHabitat, VocLanguage, VocSense,
    VocabularySize
};

// Editor words by index.
enum EditorWordIndex : int {
    EdNone = 0, EdCelebrity2, EdMove, EdMain, EdSub, EdStr, EdSize, EdHardness, EdAttack,
    EdWeapon, EdMagic, EdAbility2, EdRandom, EdCelebrity3, EdSubSense, EdValue, EdType,
    EdChoice, EdMagnify, EdQueen, EdBishop, EdKnight, EdRook, EdPawn,
    EditorWordCount
};

struct Vocabulary {
    std::vector<std::string> words; // VocabularySize entries
    std::string anew;               // the new-entry word

    const std::string& operator[](int index) const { return words.at(index); }
    CellWords cellWords() const { return {words.at(VocSlash), words.at(VocHyphen)}; }
};

// A present key gives its value, also when empty; only a missing key gives the default.
Vocabulary readVocabulary(const IniFile& ini);
// Writes every word back under its key, "common" in table order, then "list".
void writeVocabulary(IniFile& ini, const Vocabulary& vocabulary);

// The twenty captions of the main list's columns.
std::vector<std::string> listColumnCaptions(const Vocabulary& vocabulary);

std::vector<std::string> readEditorWords(const IniFile& ini); // EditorWordCount entries
void writeEditorWords(IniFile& ini, const std::vector<std::string>& words);

} // namespace grimtally
