#include "ui/module/ItemSort.h"

#include <algorithm>
#include <numeric>

#include <QCollator>
#include <QString>

std::vector<std::size_t> sortedOrder(std::span<const ScanItem> items, ItemSort sort)
{
    std::vector<std::size_t> order(items.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    switch (sort) {
    case ItemSort::size:
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return items[a].size > items[b].size; });
        break;
    case ItemSort::date:
        // No date counts as the far future.
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            const OptionalDate& left = items[a].date;
            const OptionalDate& right = items[b].date;
            return left && (!right || *left < *right);
        });
        break;
    case ItemSort::name: {
        // The C locale collates by code point alone, ignoring case and numbers; names still want
        // a person's order there.
        const QLocale locale = QLocale().language() == QLocale::C ? QLocale(QLocale::English) : QLocale();
        QCollator collator(locale);
        collator.setNumericMode(true);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        // Each name converted and keyed once, not once per comparison.
        std::vector<QCollatorSortKey> keys;
        keys.reserve(items.size());
        for (const ScanItem& item : items)
            keys.push_back(collator.sortKey(QString::fromStdString(item.name)));
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return keys[a].compare(keys[b]) < 0; });
        break;
    }
    }
    return order;
}
