#include "core/exchange/captions.h"

#include "core/text/sjis.h"

namespace grimtally {

std::string displayText(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    if (appendExactUtf8(bytes, out))
        return out;
    out.clear();
    appendShownUtf8(bytes, out);
    return out;
}

Captions::Captions(const Vocabulary& vocabulary, const std::vector<std::string>& editorWords)
{
    for (const std::string& word : vocabulary.words)
        vocabulary_.push_back(displayText(word));
    for (const std::string& word : editorWords)
        editor_.push_back(displayText(word));
    vocabulary_.resize(VocabularySize);
    editor_.resize(EditorWordCount);

    fields_.reserve(kFieldTable.size());
    for (const FieldInfo& info : kFieldTable) {
        std::string caption;
        for (int i = 0; i < info.captionParts; ++i) {
            const CaptionPart& part = info.caption[static_cast<std::size_t>(i)];
            switch (part.from) {
            case CaptionPart::From::Vocabulary:
                caption += vocabulary_[static_cast<std::size_t>(part.word)];
                break;
            case CaptionPart::From::Editor:
                caption += editor_[static_cast<std::size_t>(part.word)];
                break;
            case CaptionPart::From::Fixed:
                caption += part.text;
                break;
            }
        }
        fields_.push_back(std::move(caption));
    }
}

Captions Captions::fromLanguage(const IniFile& language)
{
    return Captions(readVocabulary(language), readEditorWords(language));
}

} // namespace grimtally
