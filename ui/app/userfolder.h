// Where a start from the desktop's menu works: "Grimtally" in the user's documents folder,
// seeded at its first start with the shipped files of the user's language.
#pragma once

#include <QLocale>
#include <QString>

namespace grimtally::ui {

// "Grimtally" in the user's documents folder (the XDG one on Linux, Documents on Windows).
QString userWorkFolder();

// The shipped default files of the installed program, found from where the program lies, so
// an installation under any prefix finds its own.
QString installedDataFolder();

// Makes `folder` ready with the set below `sharedData` that fits `locale` (the core's
// prepareWorkFolder) and makes it the working folder. When it cannot, tells the user why, in
// the locale's language, and returns false: the program then ends instead of writing its
// files somewhere the user did not choose.
bool enterWorkFolder(const QString& folder, const QString& sharedData, const QLocale& locale);

} // namespace grimtally::ui
