// The About box: the program's name, version and credits, and three web links.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace grimtally::ui {

class LinkLabel;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    // `mainWindow` opens the box, and is disabled while it is shown.
    explicit TAboutBox(QWidget* mainWindow);

    void OKButtonClick();
    // Every way out (OK, Enter, Escape, the close box) gives the main window back.
    void reject() override;

    QFrame* Panel1;
    QLabel *ProgramIcon, *ProductName, *Version, *Label1;
    QLabel *Credit1, *Credit2, *Credit3;
    LinkLabel *L_URL1, *L_URL2, *L_URL3;
    QFrame* Bevel1;
    QPushButton* OKButton;

protected:
    void showEvent(QShowEvent* event) override; // centred on the screen

private:
    QWidget* mainWindow_;
};

} // namespace grimtally::ui
