// One window takes input at a time: the opener disables itself while the opened window is
// shown without a modal loop, and every way out enables and focuses the opener again.
#pragma once

class QWidget;

namespace grimtally::ui {

void openSecondary(QWidget* opener, QWidget* window, QWidget* focus);
void closeSecondary(QWidget* window, QWidget* opener);

} // namespace grimtally::ui
