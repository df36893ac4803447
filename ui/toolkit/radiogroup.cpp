#include "ui/toolkit/radiogroup.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QRadioButton>

namespace grimtally::ui {

namespace {

constexpr int kSideMargin = 8;
constexpr int kBottomMargin = 2;

} // namespace

RadioGroup::RadioGroup(QWidget* parent, const QString& objectName, QRect geometry, int columns)
    : QGroupBox(parent), columns_(std::max(columns, 1)), buttons_(new QButtonGroup(this))
{
    setObjectName(objectName);
    setGeometry(geometry);
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        keepTabStopAtSelection();
        if (checked)
            Q_EMIT clicked();
    });
}

void RadioGroup::setItems(const QStringList& captions)
{
    for (QRadioButton* button : items_)
        delete button;
    items_.clear();
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QRadioButton(captions.at(i), this);
        button->setObjectName(objectName() + u'_' + QString::number(i + 1));
        buttons_->addButton(button, i);
        button->show();
        items_.push_back(button);
    }
    placeItems();
    keepTabStopAtSelection();
}

int RadioGroup::itemIndex() const
{
    return buttons_->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (index >= 0 && index < itemCount()) {
        item(index)->setChecked(true);
        return;
    }
    // An exclusive group will not uncheck its last checked button by itself.
    buttons_->setExclusive(false);
    for (QRadioButton* button : items_)
        button->setChecked(false);
    buttons_->setExclusive(true);
}

void RadioGroup::keepTabStopAtSelection()
{
    // As in any radio group, Tab enters at the selected item (the first when none is) and the
    // arrow keys walk the others.
    const int stop = std::max(itemIndex(), 0);
    for (int i = 0; i < itemCount(); ++i)
        item(i)->setFocusPolicy(i == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void RadioGroup::placeItems()
{
    // Items share the room below the caption evenly, filling each column top to bottom.
    const int count = itemCount();
    if (count == 0)
        return;
    const int rows = (count + columns_ - 1) / columns_;
    const int top = QFontMetrics(font()).height() + 2;
    const int rowHeight = std::max(1, (height() - top - kBottomMargin) / rows);
    const int columnWidth = (width() - 2 * kSideMargin) / columns_;
    for (int i = 0; i < count; ++i) {
        const int column = i / rows;
        const int row = i % rows;
        item(i)->setGeometry(kSideMargin + column * columnWidth, top + row * rowHeight, columnWidth,
                             rowHeight);
    }
}

} // namespace grimtally::ui
