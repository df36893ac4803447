#include "core/words/vocabulary.h"

#include "core/text/sjis.h"

#include <array>
#include <stdexcept>
#include <string_view>

namespace grimtally {

namespace {

struct Word {
    std::string_view key;
    std::string_view defaultValue;
};

constexpr std::string_view kCommonSection = "common";
constexpr std::string_view kListSection = "list";
constexpr std::string_view kEditorSection = "editor";
constexpr std::string_view kAnewKey = "anew";
constexpr std::string_view kAnewDefault = "Anew";

// In index order; the file lists them in this order when it is new.
constexpr std::array<Word, VocabularySize> kVocabulary{{
    {"slash", "/"},
    {"hyphen", "-"},
    {"name", "Name"},
    {"classify", "Classify"},
    {"level", "Monster Level"},
    {"celebrity", "Celebrity"},
    {"dex", "Dexterity"},
    {"speed", "Speed"},
    {"count", "Count"},
    {"frequency", "Frequency"},
    {"int", "Intelligence"},
    {"reaction", "Reaction"},
    {"hit", "Hit"},
    {"damage", "Damage"},
    {"dodge", "Dodge"},
    {"prevent", "Prevent"},
    {"hp", "HP"},
    {"sp", "SP"},
    {"resist", "Resist"},
    {"ability", "Ability"},
    {"habitat", "Habitat"},
    {"language", "Language"},
    {"sense", "Sense"},
}};

// The blanks at the end of "Random " and "somebody " matter: the generation dialog puts
// another word right after them.
constexpr std::array<Word, EditorWordCount> kEditorWords{{
    {"none", "----"},
    {"celebrity2", "know without fail"},
    {"move", "Movement method"},
    {"main", "Main"},
    {"sub", "Sub"},
    {"str", "Strength"},
    {"size", "Size"},
    {"hardness", "Hardness"},
    {"attack", "Attack"},
    {"weapon", "Attack method"},
    {"magic", "Magic"},
    {"ability2", "Add from list"},
    {"random", "Random "},
    {"celebrity3", "somebody "},
    {"sub-sense", "Sub sense"},
    {"value", "Value"},
    {"type", "Type"},
    {"choice", "Choice"},
    {"magnify", "Magnify"},
    {"queen", "Queen"},
    {"bishop", "Bishop"},
    {"knight", "Knight"},
    {"rook", "Rook"},
    {"pawn", "Pawn"},
}};

std::string readWord(const IniFile& ini, std::string_view section, const Word& word)
{
    // Only a missing key takes the default; a key written empty stays empty.
    std::optional<std::string> value = ini.value(section, word.key);
    if (!value)
        return std::string(word.defaultValue);
    // A caption of megabytes would stall every window that lays it out; the file keeps
    // the word whole. The cut never splits a double-byte character.
    if (value->size() > kMaxWordBytes) {
        std::size_t end = 0;
        while (end < value->size()) {
            const std::size_t step =
                isCp932LeadByte(static_cast<unsigned char>((*value)[end])) ? 2 : 1;
            if (end + step > kMaxWordBytes)
                break;
            end += step;
        }
        value->resize(end);
    }
    return std::move(*value);
}

template <std::size_t N>
std::vector<std::string> readWords(const IniFile& ini, std::string_view section,
                                   const std::array<Word, N>& table)
{
    std::vector<std::string> words;
    words.reserve(N);
    for (const Word& word : table)
        words.push_back(readWord(ini, section, word));
    return words;
}

// The words were read from this file, so a present key already holds its word (whole,
// where the word was cut for showing): only the missing keys are written.
template <std::size_t N>
bool writeWords(IniFile& ini, std::string_view section, const std::array<Word, N>& table,
                const std::vector<std::string>& words)
{
    if (words.size() != N)
        throw std::invalid_argument("expected " + std::to_string(N) + " words in section " +
                                    std::string(section) + ", got " + std::to_string(words.size()));
    bool changed = false;
    for (std::size_t i = 0; i < N; ++i) {
        if (!ini.value(section, table[i].key))
            changed = ini.writeString(section, table[i].key, words[i]) || changed;
    }
    return changed;
}

} // namespace

Vocabulary readVocabulary(const IniFile& ini)
{
    Vocabulary vocabulary;
    vocabulary.words = readWords(ini, kCommonSection, kVocabulary);
    vocabulary.anew = readWord(ini, kListSection, {kAnewKey, kAnewDefault});
    return vocabulary;
}

bool writeVocabulary(IniFile& ini, const Vocabulary& vocabulary)
{
    bool changed = writeWords(ini, kCommonSection, kVocabulary, vocabulary.words);
    if (!ini.value(kListSection, kAnewKey))
        changed = ini.writeString(kListSection, kAnewKey, vocabulary.anew) || changed;
    return changed;
}

std::vector<std::string> listColumnCaptions(const Vocabulary& vocabulary)
{
    const Vocabulary& v = vocabulary;
    std::vector<std::string> captions;
    captions.reserve(kListColumnCount);
    for (int index = VocName; index <= VocReaction; ++index)
        captions.push_back(v[index]);
    for (char attack : {'1', '2', '3'})
        captions.push_back(v[VocHit] + v[VocSlash] + v[VocDamage] + ' ' + attack);
    captions.push_back(v[VocDodge] + v[VocSlash] + v[VocPrevent]);
    captions.push_back(v[VocHP] + v[VocSlash] + v[VocResist]);
    captions.push_back(v[VocSP] + v[VocSlash] + v[VocResist]);
    for (int index = VocAbility; index <= VocSense; ++index)
        captions.push_back(v[index]);
    return captions;
}

std::vector<WordKey> languageKeys()
{
    std::vector<WordKey> keys;
    for (const Word& word : kVocabulary)
        keys.push_back({kCommonSection, word.key});
    keys.push_back({kListSection, kAnewKey});
    for (const Word& word : kEditorWords)
        keys.push_back({kEditorSection, word.key});
    return keys;
}

std::vector<std::string> readEditorWords(const IniFile& ini)
{
    return readWords(ini, kEditorSection, kEditorWords);
}

bool writeEditorWords(IniFile& ini, const std::vector<std::string>& words)
{
    return writeWords(ini, kEditorSection, kEditorWords, words);
}

} // namespace grimtally
