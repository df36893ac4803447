// The report list of the main window: a tree view without branches whose rows all have one
// height, one row selected at a time, that stays quick with a million rows.
#pragma once

#include <QTreeView>

namespace grimtally::ui {

class ListView : public QTreeView {
    Q_OBJECT
public:
    explicit ListView(QWidget* parent = nullptr);

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles) override;
};

} // namespace grimtally::ui
