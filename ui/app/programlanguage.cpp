#include "ui/app/programlanguage.h"

#include "ui/toolkit/dialogs.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <algorithm>

namespace grimtally::ui {

using namespace Qt::StringLiterals;

LanguageFile readLanguageFile(QWidget* parent)
{
    LanguageFile language;
    runGuarded(parent, [&] { language = LanguageFile::load("Language.txt"); });
    return language;
}

void reportLanguageProblem(QWidget* parent, const LanguageFile& language)
{
    const QString file = QString::fromStdString(language.file().string());
    QString text;
    QString detail = QCoreApplication::translate(
        "LanguageFile",
        "The words that can be read are used, and the default words for the rest. The file is "
        "not written back; save it as Shift-JIS text to have the program complete it.");
    switch (language.problem()) {
    case LanguageFile::Problem::None:
        return;
    case LanguageFile::Problem::Unreadable:
        // The system's own text says what is wrong with the file.
        text = QString::fromStdString(language.readError());
        detail = QCoreApplication::translate(
            "LanguageFile", "The default words are used, and the file is left as it is.");
        break;
    case LanguageFile::Problem::Utf16:
        text = QCoreApplication::translate("LanguageFile", "%1: not Shift-JIS text but UTF-16")
                   .arg(file);
        break;
    case LanguageFile::Problem::NulBytes:
        text = QCoreApplication::translate("LanguageFile",
                                           "%1: not Shift-JIS text, it holds NUL bytes")
                   .arg(file);
        break;
    }
    Dialogs::current().ask(parent, text, MessageIcon::Error, MessageButtons::Ok, detail);
}

ProgramTranslators::ProgramTranslators(const QString& language)
{
    // Only our own translations decide which languages exist; a code with anything but
    // letters never becomes part of a path.
    if (language.isEmpty() ||
        !std::ranges::all_of(language, [](QChar c) { return c >= u'a' && c <= u'z'; }))
        return;
    auto own = std::make_unique<QTranslator>();
    if (!own->load(u":/i18n/grimtally_"_s + language + u".qm"_s) ||
        !QCoreApplication::installTranslator(own.get()))
        return;
    own_ = std::move(own);
    QLocale::setDefault(QLocale(language));
    // Without Qt's own, its dialogs keep their English buttons; the program still runs.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(u"qtbase_"_s + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(qt.get()))
        qt_ = std::move(qt);
}

// A translator takes itself out of the application when it is destroyed.
ProgramTranslators::~ProgramTranslators()
{
    if (own_)
        QLocale::setDefault(previousLocale_);
}

} // namespace grimtally::ui
