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
    if (!query_.empty()) {
        std::size_t keptCount = 0;
        order_.showOnly(keptBy(query_, false, keptCount));
    }
    endResetModel();
}

std::vector<std::uint8_t> EnemyListModel::keptBy(const FindQuery& query, bool narrowing,
                                                 std::size_t& keptCount) const
{
    std::vector<std::uint8_t> kept(static_cast<std::size_t>(store_.slotCount()), 0);
    std::vector<int> slots;
    if (narrowing) {
        // In slot order, so that the records are read front to back.
        slots.reserve(static_cast<std::size_t>(order_.rowCount()));
        for (int slot = 1; slot < store_.slotCount(); ++slot) {
            if (order_.shows(slot))
                slots.push_back(slot);
        }
    } else {
        slots = store_.recordSlots();
    }
    keptCount = findRecords(store_, query, slots, kept);
    return kept;
}

void EnemyListModel::setFindText(std::string_view typed)
{
    FindQuery query(typed, cellWords_);
    if (query.empty()) {
        query_ = FindQuery();
        if (order_.filtered()) {
            beginResetModel();
            order_.showAll();
            endResetModel();
        }
        return;
    }
    // Typing on only narrows: what the last text turned down stays turned down.
    const bool narrowing = order_.filtered() && query.narrows(query_);
    std::size_t keptCount = 0;
    std::vector<std::uint8_t> kept = keptBy(query, narrowing, keptCount);
    query_ = std::move(query);
    if (order_.filtered() && keptCount == static_cast<std::size_t>(shownRecordCount())) {
        // As many rows as shown: the same ones when narrowing, else compared one by one.
        bool same = true;
        if (!narrowing) {
            for (int slot = 1; slot < store_.slotCount() && same; ++slot)
                same = (kept[static_cast<std::size_t>(slot)] != 0) == order_.shows(slot);
        }
        if (same)
            return; // the same rows: nothing to lay out again
    }
    beginResetModel();
    order_.showOnly(std::move(kept));
    endResetModel();
}

void EnemyListModel::sortByHeaderClick(int column)
{
    if (order_.advanceSort(column))
        order_.toSlotOrder();
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
