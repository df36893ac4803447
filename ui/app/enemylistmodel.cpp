#include "ui/app/enemylistmodel.h"

#include "core/records/listcells.h"
#include "ui/toolkit/cp932text.h"

#include <string>
#include <vector>

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
    return fromCp932(listCell(store_.name(slot), store_.fields(slot), index.column(), cellWords_));
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
    beginResetModel();
    if (order_.advanceSort(column))
        order_.reset(store_.slotCount());
    const int direction = order_.sortDirection();
    if (direction != 0) {
        // Each cell is made once, not once per comparison.
        std::vector<std::string> cells(store_.slotCount());
        for (int slot = 1; slot < store_.slotCount(); ++slot)
            cells[slot] = listCell(store_.name(slot), store_.fields(slot), column, cellWords_);
        order_.sortRecordRows(
            [&](int a, int b) { return compareListCells(cells[a], cells[b], column, direction); });
    }
    endResetModel();
}

} // namespace grimtally::ui
