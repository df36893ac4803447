// The strength estimate: works an enemy's strength back from its level, attack method and
// damage, and sends it with the level into the editor.
#pragma once

#include "core/rules/choicetables.h"

#include <QDialog>

#include <functional>
#include <optional>

class QPushButton;

namespace grimtally::ui {

class ComboBox;
class Label;
class ReadOnlyBox;
class SpinEdit;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    // What the dialog reads from the editor's form and sends into it, handed in by the
    // window set.
    struct EditorLink {
        QWidget* editor = nullptr;  // disabled while the dialog is shown
        std::function<int()> level; // the editor's level, read on activation
        // Send: the estimated strength, when there is one, then the level.
        std::function<void(std::optional<int> strength, int level)> send;
        std::function<const std::optional<ChoiceTables>&()> tables;
    };
    explicit TForm2(EditorLink link);

    // The editor's strength button: the attack names afresh, the focus on Calculate.
    void showEstimate();

    void FormActivate();
    void Button1Click(); // Calculate
    void Button2Click(); // Send
    void FormClose();
    void reject() override; // the close box and Escape close as FormClose does

    Label *Label1, *Label2, *Level_L, *Label3, *Label4, *Label5;
    SpinEdit *Level_O, *SpinEdit1;
    ComboBox* ComboBox1;
    ReadOnlyBox* Edit1;
    QPushButton *Button1, *Button2;

protected:
    void changeEvent(QEvent* event) override;

private:
    EditorLink link_;
};

} // namespace grimtally::ui
