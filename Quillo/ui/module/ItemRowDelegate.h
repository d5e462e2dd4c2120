#pragma once

#include <QAbstractItemDelegate>

#include "records/Module.h"

class ItemListView;

// Paints a result row from its precomputed layout and the view's hover and focus state: the
// hover tint, the check box, the file's icon, name and tags, the subtitle, the reveal button
// while hovered, the size (in ink when ticked) and the divider under every row but the last.
class ItemRowDelegate : public QAbstractItemDelegate {
public:
    ItemRowDelegate(ItemListView* view, Module module);

    // The row's body and, for the first and last rows, the list's room above and below.
    static qreal topRoom();
    static qreal bottomRoom();

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    ItemListView* view_;
    Module module_;
};
