#include "ui/app/programwindows.h"

#include "ui/app/tform1.h"
#include "ui/editor/teditor1.h"

namespace grimtally::ui {

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
    return windows;
}

} // namespace grimtally::ui
