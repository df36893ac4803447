// The words exported enemies are captioned with, as UTF-8: the vocabulary and the editor
// words of "Language.txt", and from them a caption and a stable key for every field.
#pragma once

#include "core/records/fieldtable.h"
#include "core/text/inifile.h"
#include "core/words/vocabulary.h"

#include <string>
#include <string_view>
#include <vector>

namespace grimtally {

class Captions {
public:
    // The words as the windows show them (Shift-JIS bytes), converted once.
    Captions(const Vocabulary& vocabulary, const std::vector<std::string>& editorWords);
    // The words a "Language.txt" gives, defaults for the keys it lacks.
    static Captions fromLanguage(const IniFile& language);
    static Captions defaults() { return fromLanguage(IniFile()); }

    const std::string& vocabulary(int index) const { return vocabulary_.at(index); }
    const std::string& editor(int index) const { return editor_.at(index); }

    // The caption of a field (kNameField or 0..46), made of the words the editor shows
    // beside its control as the field table names them: "Attack 2 Hit", "HP Resist".
    const std::string& field(int field) const { return fields_.at(field + 1); }

private:
    std::vector<std::string> vocabulary_;
    std::vector<std::string> editor_;
    std::vector<std::string> fields_;
};

// UTF-8 of Shift-JIS bytes for showing: exact where it can be, a replacement character for
// each byte that is no character.
std::string displayText(std::string_view bytes);

} // namespace grimtally
