// The wording of the core's errors in the program's own language: the flaws of a choice file
// that loading or a derivation meets. Installed for the error boxes of every window.
#pragma once

#include <QString>

#include <exception>
#include <optional>

namespace grimtally::ui {

// The text for an error of the rules or of the choice file; nothing for any other.
std::optional<QString> programErrorText(const std::exception& error);

// Makes it the wording of every error box (errorText, runGuarded).
void installProgramErrorWording();

} // namespace grimtally::ui
