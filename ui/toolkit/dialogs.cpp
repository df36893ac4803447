#include "ui/toolkit/dialogs.h"

#include "ui/toolkit/cp932text.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <exception>
#include <filesystem>
#include <new>

namespace grimtally::ui {

using namespace Qt::StringLiterals;

namespace {

class QtDialogs final : public Dialogs {
public:
    Answer ask(QWidget* parent, const QString& text, MessageIcon icon, MessageButtons buttons,
               const QString& detail = QString()) override
    {
        QMessageBox box(parent);
        box.setWindowTitle(icon == MessageIcon::Error
                               ? QCoreApplication::translate("Dialogs", "Error")
                               : QCoreApplication::translate("Dialogs", "Grimtally"));
        box.setTextFormat(Qt::PlainText); // file names may hold '<'
        QString shown = text;
        shown.replace(u"\r\n"_s, u"\n"_s);
        box.setText(shown);
        if (!detail.isEmpty()) {
            QString shownDetail = detail;
            shownDetail.replace(u"\r\n"_s, u"\n"_s);
            box.setInformativeText(shownDetail);
        }
        switch (icon) {
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MessageIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        }
        QMessageBox::StandardButton first = QMessageBox::Ok;
        QMessageBox::StandardButton escape = QMessageBox::Cancel;
        switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            escape = QMessageBox::Ok;
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            first = QMessageBox::Yes;
            escape = QMessageBox::No;
            break;
        case MessageButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            first = QMessageBox::Yes;
            break;
        }
        box.setDefaultButton(first);
        box.setEscapeButton(escape);
        box.exec();
        switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            if (buttons == MessageButtons::YesNo)
                return Answer::No;
            return buttons == MessageButtons::Ok ? Answer::Ok : Answer::Cancel;
        }
    }

    std::optional<QString> openFileName(QWidget* parent, const QString& title,
                                        const QString& proposed) override
    {
        QFileDialog dialog(parent, title);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        // A name that does not exist yet is a valid choice (the file then reads as empty);
        // the desktop's own dialog would insist on an existing file.
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        if (!proposed.isEmpty())
            dialog.selectFile(proposed);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }

    std::optional<QString> saveFileName(QWidget* parent, const QString& title,
                                        const QString& proposed,
                                        const QString& defaultSuffix) override
    {
        QFileDialog dialog(parent, title);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The windows ask their own overwrite question.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setDefaultSuffix(defaultSuffix);
        if (!proposed.isEmpty())
            dialog.selectFile(proposed);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }
};

QtDialogs& realDialogs()
{
    static QtDialogs dialogs;
    return dialogs;
}

Dialogs* installed = nullptr;

} // namespace

Dialogs& Dialogs::current()
{
    return installed ? *installed : realDialogs();
}

void Dialogs::install(Dialogs* dialogs)
{
    installed = dialogs;
}

void showError(QWidget* parent, const QString& text)
{
    Dialogs::current().ask(parent, text, MessageIcon::Error, MessageButtons::Ok);
}

bool mayOverwrite(QWidget* parent, const QString& file)
{
    std::error_code error;
    return !std::filesystem::exists(toPath(file), error) ||
           Dialogs::current().ask(parent,
                                  QCoreApplication::translate(
                                      "Dialogs", "ファイルを上書きします。\r\nよろしいですか？"),
                                  MessageIcon::Information, MessageButtons::OkCancel) == Answer::Ok;
}

namespace {

ErrorWording& installedWording()
{
    static ErrorWording wording;
    return wording;
}

} // namespace

void installErrorWording(ErrorWording wording)
{
    installedWording() = std::move(wording);
}

QString errorText(const std::exception& error)
{
    if (const ErrorWording& wording = installedWording()) {
        if (std::optional<QString> text = wording(error))
            return std::move(*text);
    }
    // Messages are UTF-8; a file name inside may be any bytes, which decode to U+FFFD.
    return QString::fromStdString(error.what());
}

bool runGuarded(QWidget* parent, const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (const std::bad_alloc&) {
        // Its own text, "std::bad_alloc", tells a user nothing.
        showError(parent,
                  QCoreApplication::translate(
                      "Dialogs", "There was not enough memory for this command; it stopped."));
    } catch (const std::exception& error) {
        showError(parent, errorText(error));
    } catch (...) {
        showError(parent, QCoreApplication::translate(
                              "Dialogs", "The command stopped because of an unexpected error."));
    }
    return false;
}

FileDialog::FileDialog(Kind kind, const QString& objectName, QObject* parent)
    : QObject(parent), kind_(kind)
{
    setObjectName(objectName);
}

bool FileDialog::execute(QWidget* parent)
{
    Dialogs& dialogs = Dialogs::current();
    const std::optional<QString> chosen =
        kind_ == Kind::Open ? dialogs.openFileName(parent, title_, fileName_)
                            : dialogs.saveFileName(parent, title_, fileName_, defaultSuffix_);
    if (!chosen)
        return false;
    fileName_ = *chosen;
    // A name typed without an extension gets the default one, whoever answered the dialog.
    if (kind_ == Kind::Save && !defaultSuffix_.isEmpty() &&
        QFileInfo(fileName_).suffix().isEmpty() && !fileName_.endsWith(u'.'))
        fileName_ += u'.' + defaultSuffix_;
    return true;
}

} // namespace grimtally::ui
