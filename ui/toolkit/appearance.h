// The program's look: the window font with its Linux substitutes, the icon, and the colours
// of enabled and disabled inputs.
#pragma once

#include <QFont>
#include <QIcon>

class QWidget;

namespace grimtally::ui {

// Registers substitutes for the Windows font name once; call before creating windows.
void installFontSubstitutes();
QFont windowFont(); // "ＭＳ Ｐゴシック", 12 pixels
QIcon applicationIcon();

// Enables or disables an input of an optional row, with the window background when on and
// the button-face colour when off.
void setInputEnabled(QWidget* input, bool enabled);

} // namespace grimtally::ui
