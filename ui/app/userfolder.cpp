#include "ui/app/userfolder.h"

#include "core/text/textfile.h"
#include "core/workfolder/workfolder.h"
#include "ui/app/programlanguage.h"
#include "ui/toolkit/cp932text.h"
#include "ui/toolkit/dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <exception>

namespace grimtally::ui {

using namespace Qt::StringLiterals;

QString userWorkFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .filePath(u"Grimtally"_s);
}

QString installedDataFolder()
{
    // The build puts the path from the installed bin folder to the data folder here.
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath())
                               .filePath(QStringLiteral(GRIMTALLY_DATA_FROM_BIN)));
}

bool enterWorkFolder(const QString& folder, const QString& sharedData, const QLocale& locale)
{
    const std::string language = locale.uiLanguages().value(0, locale.name()).toStdString();
    const bool japanese = isJapaneseLocale(language);
    const std::filesystem::path set = shippedSetFor(toPath(sharedData), language);
    bool shippedFileMissing = false;
    QString reason;
    try {
        prepareWorkFolder(toPath(folder), set);
        if (QDir::setCurrent(folder))
            return true;
        reason = QDir::toNativeSeparators(folder);
    } catch (const FileError& error) {
        shippedFileMissing = error.file().parent_path() == set;
        reason = errorText(error);
    } catch (const std::exception& error) {
        reason = errorText(error);
    }

    // Nothing has read "Language.txt" yet: the message speaks the user's language.
    const ProgramTranslators translators(japanese ? u"ja"_s : u"en"_s);
    const QString text =
        shippedFileMissing
            ? QCoreApplication::translate("WorkFolder",
                                          "The files Grimtally starts a new folder with are "
                                          "missing. Install Grimtally again.")
            : QCoreApplication::translate("WorkFolder",
                                          "Grimtally keeps its files in the folder %1, but that "
                                          "folder cannot be created or written.")
                  .arg(QDir::toNativeSeparators(folder));
    const QString advice =
        shippedFileMissing
            ? QString()
            : u"\n\n"_s + QCoreApplication::translate(
                              "WorkFolder", "Make it a folder you may write into, or start "
                                            "Grimtally from a terminal in a folder of your "
                                            "choice: it then works there.");
    Dialogs::current().ask(nullptr, text, MessageIcon::Error, MessageButtons::Ok, reason + advice);
    return false;
}

} // namespace grimtally::ui
