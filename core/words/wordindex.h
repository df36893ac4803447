// The display words by index: the vocabulary of section "common" and the editor words of
// section "editor" of "Language.txt". Kept apart so that tables of captions can name words
// without reading any.
#pragma once

namespace grimtally {

// Vocabulary entries by index.
// clang-format off
enum VocabularyIndex : int {
    VocSlash = 0, VocHyphen, VocName, VocClassify, VocLevel, VocCelebrity, VocDex, VocSpeed,
    VocCount, VocFrequency, VocInt, VocReaction, VocHit, VocDamage, VocDodge, VocPrevent,
    VocHP, VocSP, VocResist, VocAbility, VocHabitat, VocLanguage, VocSense,
    VocabularySize
};
// clang-format on

// Editor words by index.
// clang-format off
enum EditorWordIndex : int {
    EdNone = 0, EdCelebrity2, EdMove, EdMain, EdSub, EdStr, EdSize, EdHardness, EdAttack,
    EdWeapon, EdMagic, EdAbility2, EdRandom, EdCelebrity3, EdSubSense, EdValue, EdType,
    EdChoice, EdMagnify, EdQueen, EdBishop, EdKnight, EdRook, EdPawn,
    EditorWordCount
};
// clang-format on

} // namespace grimtally
