// A web address shown as a link: blue and underlined, purple under the pointer with the
// pointing hand, and a click opens the address it shows in the user's browser.
#pragma once

#include "ui/toolkit/label.h"

namespace grimtally::ui {

class LinkLabel : public Label {
    Q_OBJECT
public:
    // Anchored at its right edge `right`, as the About box places its links.
    LinkLabel(QWidget* parent, const QString& objectName, int right, int top,
              const QString& address);

    static QColor restingColour() { return {0, 0, 255}; }
    static QColor hoverColour() { return {128, 0, 128}; }

    void MouseEnter();
    void MouseLeave();
    // Hands the caption to the desktop; a browser that cannot be started says nothing here.
    void Click();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setColour(const QColor& colour);
    bool pressed_ = false;
};

} // namespace grimtally::ui
