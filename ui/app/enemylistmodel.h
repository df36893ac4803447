// The main list as a model: row 0 is the new-entry row, rows 1..n show the records of the
// store in the order RowOrder keeps, all of them or those the find text keeps; the cells
// are computed when the view asks for them.
#pragma once

#include "core/records/findfilter.h"
#include "core/records/recordstore.h"
#include "core/records/roworder.h"
#include "core/words/vocabulary.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <string>

namespace grimtally::ui {

class EnemyListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    EnemyListModel(const RecordStore& store, const Vocabulary& vocabulary, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Rebuild: one row per slot, in slot order, of those the find text keeps. The sort state
    // stays as it is.
    void renew();
    // Shows only the rows of the records in which every word of `typed` (code page 932
    // bytes, words parted by blanks) occurs in one of the shown cells, compared folded;
    // nothing typed shows every row. The rows keep the order they have.
    void setFindText(std::string_view typed);
    bool finding() const { return !query_.empty(); }
    int shownRecordCount() const { return order_.rowCount() - 1; }
    // A click on the header of `column`: advances the direction and sorts rows 1..n.
    void sortByHeaderClick(int column);

    int shownSortDirection() const { return order_.shownSortDirection(); }

    int slotOfRow(int row) const { return order_.slotOfRow(row); }
    int rowOfSlot(int slot) const { return order_.rowOfSlot(slot); }
    const RowOrder& order() const { return order_; }

private:
    // One mark per slot: whether `query` keeps the record; `keptCount` is how many it
    // keeps. Where `narrowing`, only the records shown now are looked at, as the others
    // cannot be kept.
    std::vector<std::uint8_t> keptBy(const FindQuery& query, bool narrowing,
                                     std::size_t& keptCount) const;

    const RecordStore& store_;
    const Vocabulary& vocabulary_;
    CellWords cellWords_;
    QStringList captions_;
    RowOrder order_;
    FindQuery query_;
    mutable std::string cell_; // reused by data()
};

} // namespace grimtally::ui
