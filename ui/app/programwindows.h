// Start-up: the program's windows, created once in a fixed order and kept for the whole run.
#pragma once

#include <memory>

namespace grimtally::ui {

class TForm1;
class TEditor1;
class TChoicesDlg;
class TAboutBox;
class TForm2;

struct ProgramWindows {
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TEditor1> editor1;
    std::unique_ptr<TChoicesDlg> choicesDlg1;
    std::unique_ptr<TAboutBox> aboutBox;
    std::unique_ptr<TForm2> form2;

    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(ProgramWindows&&) noexcept;
};

// Creates the main window (visible from its creation on, so the editor's choice file
// dialog shows over it), then the editor, then the hidden dialogs.
ProgramWindows createProgramWindows();

} // namespace grimtally::ui
