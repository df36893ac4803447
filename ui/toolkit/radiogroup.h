// Radio group: a framed caption over items laid out in columns, top to bottom, one of which
// is selected; the selection is read and set by index, as the form layouts expect.
#pragma once

#include <QGroupBox>
#include <QStringList>

#include <vector>

class QButtonGroup;
class QRadioButton;

namespace grimtally::ui {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(QWidget* parent, const QString& objectName, QRect geometry, int columns = 1);

    // Replaces the items, named objectName_1, _2, ...; nothing is selected afterwards.
    void setItems(const QStringList& captions);
    QRadioButton* item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    int itemCount() const { return static_cast<int>(items_.size()); }

    int itemIndex() const; // -1 when none is selected
    void setItemIndex(int index);

Q_SIGNALS:
    // The selected item changed, by the user or the program.
    void clicked();

private:
    void placeItems();
    void keepTabStopAtSelection();

    int columns_;
    QButtonGroup* buttons_;
    std::vector<QRadioButton*> items_;
};

} // namespace grimtally::ui
