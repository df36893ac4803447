// The language of the program's own texts: chosen in "Language.txt", put in place with Qt's
// translators before any window is created, so every window is built in it.
#pragma once

#include "core/words/languagefile.h"

#include <QLocale>
#include <QString>

#include <memory>

class QTranslator;
class QWidget;

namespace grimtally::ui {

// "Language.txt" of the working folder, read once for every window. A failure that leaves
// no words at all (memory ran out) is shown over `parent` and gives the empty file.
LanguageFile readLanguageFile(QWidget* parent);

// Tells the user, once, what was wrong with the file and what the program does about it.
void reportLanguageProblem(QWidget* parent, const LanguageFile& language);

// The translators of one language, installed while the object lives.
class ProgramTranslators {
public:
    // "en", "ja": the program's own translation and, with it, Qt's own for the standard
    // dialogs and buttons when the system has it, and the language's locale as the default
    // one (the file dialog names file types in it; its dates and sizes follow the system's
    // locale). An empty or unknown language installs nothing, so the built-in texts stay.
    explicit ProgramTranslators(const QString& language);
    ~ProgramTranslators(); // also puts the locale back
    ProgramTranslators(const ProgramTranslators&) = delete;
    ProgramTranslators& operator=(const ProgramTranslators&) = delete;

    bool installed() const { return own_ != nullptr; }

private:
    QLocale previousLocale_;
    std::unique_ptr<QTranslator> own_;
    std::unique_ptr<QTranslator> qt_;
};

} // namespace grimtally::ui
