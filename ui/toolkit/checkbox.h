// Check box with a code page 932 caption.
#pragma once

#include <QCheckBox>

#include <string>

namespace grimtally::ui {

class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(std::string_view caption, QWidget* parent = nullptr);
    const std::string& captionBytes() const { return caption_; }

private:
    std::string caption_;
};

} // namespace grimtally::ui
