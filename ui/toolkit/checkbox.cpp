#include "ui/toolkit/checkbox.h"

#include "ui/toolkit/cp932text.h"

namespace grimtally::ui {

CheckBox::CheckBox(std::string_view caption, QWidget* parent)
    : QCheckBox(fromCp932(caption), parent), caption_(caption)
{}

} // namespace grimtally::ui
