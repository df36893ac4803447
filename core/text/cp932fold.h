// Code page 932 text folded for finding: letter case, full- and half-width forms and hiragana
// with katakana made alike, worked out on the bytes so that every code finds itself.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace grimtally {

// One character of folded text: the code of the character it folds to, a single byte below
// 0x80 or lead << 8 | trail. A byte that begins no character stays itself, a value from 0x80
// to 0xFF that no character folds to, so that it matches only the same byte.
using FoldedUnit = std::uint16_t;

// What folds together:
// - a..z with A..Z, and the full-width Latin letters, digits and signs with their ASCII forms
//   (the ideographic space with the blank); Greek, Cyrillic and Roman numerals by case;
// - half-width katakana with full-width, a half-width voiced or semi-voiced mark after its
//   letter making one character with it (ｶﾞ is ガ);
// - hiragana with katakana (が is ガ, ゝ is ヽ);
// - the two codes of a character that has two.
// The bytes are read as the list shows them: a lead byte that makes no character with the
// next byte stands alone, and that next byte starts a character of its own.
void appendFolded(std::string_view bytes, std::vector<FoldedUnit>& out);
std::vector<FoldedUnit> foldedText(std::string_view bytes);

// A unit that stands for a byte that is no character.
inline bool isStrayUnit(FoldedUnit unit)
{
    return unit >= 0x80 && unit <= 0xFF;
}

// The folded unit of one character or stray byte at the start of `bytes` (not empty), and
// how many bytes it took (1 to 2).
struct FoldedStep {
    FoldedUnit unit;
    std::uint8_t bytes;
};
FoldedStep foldedStep(std::string_view bytes);

// The bytes of one character that folds to a unit: a single byte, a pair, or a half-width
// letter with its mark.
struct RawForm {
    unsigned char bytes[2];
    std::uint8_t size;
};
// Every form whose folded step is `unit`: what a search for the unit looks for in bytes that
// have not been folded. A unit for a stray byte has that byte as its one form.
std::vector<RawForm> rawFormsOf(FoldedUnit unit);

} // namespace grimtally
