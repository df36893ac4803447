#include "ui/app/enemylistmodel.h"

#include "core/records/listcells.h"
#include "ui/toolkit/cp932text.h"

#include <string>

namespace grimtally::ui {

EnemyListModel::EnemyListModel(const RecordStore& store, const Vocabulary& vocabulary,
                               QObject* parent)
    : QAbstractTableModel(parent), store_(store), vocabulary_(vocabulary),
      cellWords_(vocabulary.cellWords())
{
    for (const std::string& caption : listColumnCaptions(vocabulary))
        captions_.append(fromCp932(caption));
    order_.reset(store_.slotCount());
}

int EnemyListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : order_.rowCount();
}

int EnemyListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kListColumnCount;
}

QVariant EnemyListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= order_.rowCount())
        return {};
    const int slot = order_.slotOfRow(index.row());
    if (slot == 0) {
        // The new-entry row has a caption and no cells.
        if (index.column() != 0)
            return QString();
        return QString(u'(' + fromCp932(vocabulary_.anew) + u')');
    }
    if (slot >= store_.slotCount())
        return {};
    // The view asks only for the rows it paints; one buffer serves every cell.
    cell_.clear();
    appendListCell(cell_, store_.name(slot), store_.fields(slot), index.column(), cellWords_);
    return fromCp932(cell_);
}

QVariant EnemyListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < captions_.size())
        return captions_.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void EnemyListModel::renew()
{
    beginResetModel();
    order_.reset(store_.slotCount());
    endResetModel();
}

void EnemyListModel::sortByHeaderClick(int column)
{
    if (order_.advanceSort(column))
        order_.reset(store_.slotCount());
    // Captured by value: the cells may be made on two threads.
    order_.sortByCells([this, column](int slot, std::string& cell) {
        appendListCell(cell, store_.name(slot), store_.fields(slot), column, cellWords_);
    });
    // A sort keeps every row and only changes what each one shows. Saying so, rather than
    // resetting the model, spares the view laying out a million rows again; the window
    // selects the same record again after the sort.
    if (order_.rowCount() > 1)
        Q_EMIT dataChanged(index(1, 0), index(order_.rowCount() - 1, kListColumnCount - 1));
}

} // namespace grimtally::ui
