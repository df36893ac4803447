// The ability picker: the editor's ability list to choose from, the chosen entries appended
// to the editor's ability memo.
#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QGroupBox;
class QListWidget;
class QPushButton;

namespace grimtally::ui {

class Memo;

class TChoicesDlg : public QDialog {
    Q_OBJECT
public:
    // What the picker works on, handed in by the window set.
    struct EditorLink {
        QWidget* editor = nullptr; // disabled while the picker is shown
        Memo* abilities = nullptr; // the ability memo the chosen entries go to
        std::function<const std::vector<std::string>&()> abilityList;
    };
    explicit TChoicesDlg(EditorLink link);

    // The editor's Add from list: a fresh copy of the ability list, nothing selected.
    void showAbilities();

    void OKBtnClick();
    void CancelBtnClick();
    void reject() override; // Escape and the close box: as Cancel

    QGroupBox* GroupBox1;
    QListWidget* ListBox1;
    QPushButton *OKBtn, *CancelBtn, *HelpBtn;

protected:
    void showEvent(QShowEvent* event) override; // centred on the screen

private:
    EditorLink link_;
    std::vector<std::string> entries_; // the shown list's bytes, row by row
};

} // namespace grimtally::ui
