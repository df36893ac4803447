// Grimtally: keeps a game master's collection of Marrowfane enemies.
#include "core/version.h"
#include "ui/app/programwindows.h"
#include "ui/app/tform1.h"
#include "ui/app/userfolder.h"
#include "ui/toolkit/appearance.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstring>
#include <memory>

namespace {

// --help and --version answer without a display (in a terminal without one, and for the
// manual page the build makes from them): they need no more than a core application.
std::unique_ptr<QCoreApplication> createApplication(int& argc, char** argv)
{
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        for (const char* textOnly : {"-h", "--help", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argv[i], textOnly) == 0)
                return std::make_unique<QCoreApplication>(argc, argv);
        }
    }
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv)
{
    const std::unique_ptr<QCoreApplication> app = createApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Grimtally"));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(grimtally::kVersion));

    QCommandLineParser options;
    // Broken by hand: the parser prints a description as it is.
    options.setApplicationDescription(QStringLiteral(
        "Keeps a game master's collection of enemies for the tabletop game Marrowfane: a\n"
        "sortable list, an editor that derives the combat values from the rule tables as\n"
        "you type, and a random enemy generator.\n"
        "\n"
        "Grimtally reads and writes its files Language.txt (the words the windows show),\n"
        "Choices.txt (the choice lists and rule tables) and Generate.txt (saved generator\n"
        "settings) in the folder it is started in."));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption userFolder(
        QStringLiteral("user-folder"),
        QStringLiteral("Works in the folder Grimtally in the user's documents folder instead, "
                       "creating it at the first start with the shipped words, choices and "
                       "sample enemies of the user's language (Japanese for a Japanese locale, "
                       "English for any other). Files already there are never written over. "
                       "The menu entry starts the program so."));
    options.addOption(userFolder);
    options.process(*app); // --help, --version and a wrong option end the program here
    if (qobject_cast<QApplication*>(app.get()) == nullptr)
        return 2;

    QGuiApplication::setDesktopFileName(QStringLiteral(GRIMTALLY_DESKTOP_ID));
    grimtally::ui::installFontSubstitutes();
    QApplication::setWindowIcon(grimtally::ui::applicationIcon());
    QApplication::setFont(grimtally::ui::windowFont());

    if (options.isSet(userFolder) &&
        !grimtally::ui::enterWorkFolder(grimtally::ui::userWorkFolder(),
                                        grimtally::ui::installedDataFolder(), QLocale::system()))
        return 1;
    const grimtally::ui::ProgramWindows windows = grimtally::ui::createProgramWindows();
    // The choice file is loaded by now: a restored collection shows with the editor ready.
    windows.form1->offerRecovery();
    return QApplication::exec();
}
