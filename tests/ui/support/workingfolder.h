// A fresh temporary folder that is the working folder for as long as the object lives, as the
// program reads "Language.txt" and the other files from where it runs.
#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

namespace grimtally::test {

class WorkingFolder {
public:
    WorkingFolder() : previous_(QDir::currentPath())
    {
        entered_ = folder_.isValid() && QDir::setCurrent(folder_.path());
    }
    ~WorkingFolder() { QDir::setCurrent(previous_); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    // The folder was made and is the working folder.
    bool isValid() const { return entered_; }
    QString path() const { return folder_.path(); }
    QString filePath(const QString& name) const { return folder_.filePath(name); }

private:
    QString previous_;
    QTemporaryDir folder_;
    bool entered_ = false;
};

} // namespace grimtally::test
