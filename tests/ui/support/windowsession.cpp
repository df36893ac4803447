#include "tests/ui/support/windowsession.h"

#include <QFile>
#include <QTest>

namespace grimtally::test {

WindowSession::~WindowSession()
{
    WindowSession::closeSession();
}

bool WindowSession::openSession()
{
    closeSession();
    dialogs_ = std::make_unique<ScriptedDialogs>();
    return folder_.emplace().isValid();
}

void WindowSession::closeSession()
{
    form_.reset();
    dialogs_.reset();
    folder_.reset();
}

QString WindowSession::folderPath() const
{
    return folder_ ? folder_->path() : QString();
}

QString WindowSession::path(const QString& name) const
{
    return folder_ ? folder_->filePath(name) : QString();
}

void WindowSession::startMainWindow()
{
    form_ = std::make_unique<ui::TForm1>();
    form_->show();
}

void WindowSession::writeFile(const QString& name, QByteArrayView bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes.data(), bytes.size()), bytes.size());
}

} // namespace grimtally::test
