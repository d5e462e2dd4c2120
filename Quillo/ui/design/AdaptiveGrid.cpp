#include "ui/design/AdaptiveGrid.h"

#include <algorithm>
#include <cmath>

#include <QWidget>

AdaptiveGrid::AdaptiveGrid(qreal minimumColumnWidth, int spacing, int rowSpacing, QWidget* parent)
    : QLayout(parent), minimumColumnWidth_(minimumColumnWidth), rowSpacing_(rowSpacing)
{
    setSpacing(spacing);
    setContentsMargins(0, 0, 0, 0);
}

AdaptiveGrid::~AdaptiveGrid()
{
    for (QLayoutItem* item : items_)
        delete item;
}

int AdaptiveGrid::columnsFor(qreal width, qreal minimumColumnWidth, int spacing)
{
    return std::max(1, int(std::floor((width + spacing) / (minimumColumnWidth + spacing))));
}

void AdaptiveGrid::addItem(QLayoutItem* item)
{
    items_.push_back(item);
}

QLayoutItem* AdaptiveGrid::itemAt(int index) const
{
    return index >= 0 && index < count() ? items_[std::size_t(index)] : nullptr;
}

QLayoutItem* AdaptiveGrid::takeAt(int index)
{
    if (index < 0 || index >= count())
        return nullptr;
    QLayoutItem* item = items_[std::size_t(index)];
    items_.erase(items_.begin() + index);
    return item;
}

int AdaptiveGrid::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false);
}

QSize AdaptiveGrid::sizeHint() const
{
    const int width = int(std::ceil(minimumColumnWidth_));
    return {width, heightForWidth(width)};
}

QSize AdaptiveGrid::minimumSize() const
{
    return sizeHint();
}

void AdaptiveGrid::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

// Lays the items out in `rect` (placing them when `apply`) and returns the height they take.
int AdaptiveGrid::arrange(const QRect& rect, bool apply) const
{
    const int columns = columnsFor(rect.width(), minimumColumnWidth_, spacing());
    const qreal columnWidth = qreal(rect.width() - spacing() * (columns - 1)) / columns;
    int y = rect.y();
    for (std::size_t first = 0; first < items_.size(); first += std::size_t(columns)) {
        const std::size_t end = std::min(items_.size(), first + std::size_t(columns));
        int rowHeight = 0;
        for (std::size_t i = first; i < end; ++i) {
            QLayoutItem* item = items_[i];
            const int w = int(columnWidth);
            const int h = item->hasHeightForWidth() ? item->heightForWidth(w) : item->sizeHint().height();
            rowHeight = std::max({rowHeight, h, item->minimumSize().height()});
        }
        for (std::size_t i = first; apply && i < end; ++i) {
            const int column = int(i - first);
            const int x0 = rect.x() + int(std::lround(column * (columnWidth + spacing())));
            const int x1 = rect.x() + int(std::lround(column * (columnWidth + spacing()) + columnWidth));
            items_[i]->setGeometry(QRect(x0, y, x1 - x0, rowHeight));
        }
        y += rowHeight + (end < items_.size() ? rowSpacing_ : 0);
    }
    return y - rect.y();
}
