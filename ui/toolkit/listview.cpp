#include "ui/toolkit/listview.h"

namespace grimtally::ui {

namespace {
// More changed rows than a screen holds: repainting the whole viewport is cheaper than the
// view's walk over every changed row in search of the visible ones (a microsecond a row).
constexpr int kWideChangeRows = 256;
} // namespace

ListView::ListView(QWidget* parent) : QTreeView(parent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void ListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                           const QList<int>& roles)
{
    // Rows of uniform height are never measured again, so a wide change needs only the
    // repaint; a sort of the whole list tells its rows changed this way.
    if (bottomRight.row() - topLeft.row() >= kWideChangeRows && !topLeft.parent().isValid()) {
        viewport()->update();
        return;
    }
    QTreeView::dataChanged(topLeft, bottomRight, roles);
}

} // namespace grimtally::ui
