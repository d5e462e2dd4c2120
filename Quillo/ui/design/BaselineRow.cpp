#include "ui/design/BaselineRow.h"

#include <algorithm>
#include <cmath>

#include <QBoxLayout>
#include <QWidget>

QHBoxLayout* baselineRow(std::initializer_list<std::pair<QWidget*, qreal>> widgets, int spacing)
{
    qreal highest = 0;
    for (const auto& [widget, baseline] : widgets)
        highest = std::max(highest, baseline);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(spacing);
    for (const auto& [widget, baseline] : widgets) {
        auto* column = new QVBoxLayout;
        column->setContentsMargins(0, int(std::lround(highest - baseline)), 0, 0);
        column->setSpacing(0);
        column->addWidget(widget);
        column->addStretch();
        row->addLayout(column);
    }
    return row;
}
