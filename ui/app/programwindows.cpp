#include "ui/app/programwindows.h"

#include "ui/about/taboutbox.h"
#include "ui/app/tform1.h"
#include "ui/editor/tchoicesdlg.h"
#include "ui/editor/teditor1.h"
#include "ui/strength/tform2.h"

namespace grimtally::ui {

namespace {

// The editor's lists as they stand when a dialog opens; a later choice file replaces them.
std::function<const std::vector<std::string>&()> abilityListOf(const TEditor1& editor)
{
    return [e = &editor]() -> const std::vector<std::string>& { return e->abilityList(); };
}

std::function<const std::optional<ChoiceTables>&()> ruleTablesOf(const TEditor1& editor)
{
    return [e = &editor]() -> const std::optional<ChoiceTables>& { return e->ruleTables(); };
}

} // namespace

ProgramWindows::ProgramWindows() = default;
ProgramWindows::~ProgramWindows() = default;
ProgramWindows::ProgramWindows(ProgramWindows&&) noexcept = default;

ProgramWindows createProgramWindows()
{
    ProgramWindows windows;
    windows.form1 = std::make_unique<TForm1>();
    windows.form1->show();
    windows.editor1 = std::make_unique<TEditor1>(*windows.form1);
    windows.form1->setEditor(windows.editor1.get());
    TEditor1& editor = *windows.editor1;

    windows.choicesDlg1 = std::make_unique<TChoicesDlg>(
        TChoicesDlg::EditorLink{&editor, editor.Ability_O, abilityListOf(editor)});
    TChoicesDlg* picker = windows.choicesDlg1.get();

    windows.aboutBox = std::make_unique<TAboutBox>(windows.form1.get());
    windows.form1->setAboutBox(windows.aboutBox.get());

    windows.form2 = std::make_unique<TForm2>(
        TForm2::EditorLink{&editor, editor.Level_O, editor.Str_O, ruleTablesOf(editor)});
    TForm2* strength = windows.form2.get();

    // Once every window exists, the editor learns how to open the ones it opens.
    TEditor1::DialogOpeners openers;
    openers.picker = [picker] { picker->showAbilities(); };
    openers.strength = [strength] { strength->showEstimate(); };
    editor.setDialogOpeners(std::move(openers));
    return windows;
}

} // namespace grimtally::ui
