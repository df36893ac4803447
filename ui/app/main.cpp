// Grimtally: keeps a game master's collection of Marrowfane enemies.
#include "ui/app/programwindows.h"
#include "ui/toolkit/appearance.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Grimtally"));
    grimtally::ui::installFontSubstitutes();
    QApplication::setWindowIcon(grimtally::ui::applicationIcon());
    QApplication::setFont(grimtally::ui::windowFont());

    const grimtally::ui::ProgramWindows windows = grimtally::ui::createProgramWindows();
    return QApplication::exec();
}
