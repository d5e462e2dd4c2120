#pragma once

#include <filesystem>
#include <vector>

#include <QAbstractListModel>

#include "records/Module.h"
#include "records/ScanItem.h"
#include "ui/module/ItemSort.h"

class CleanerStore;

// The items of one module's result in the chosen order, ticked as the store's selection says.
// Holds no copy: rows are positions in the store's result, re-read whenever the result changes.
// Between the store's replacing the result and the model's reset (modelAboutToBeReset) the rows
// stand for items that are gone: nothing may read them then.
// Ticking a row (the check state) is a store call.
class ItemListModel : public QAbstractListModel {
    Q_OBJECT

public:
    ItemListModel(CleanerStore& store, Module module, QObject* parent = nullptr);

    Module module() const { return module_; }
    ItemSort sort() const { return sort_; }
    void setSort(ItemSort sort);

    const ScanItem& item(int row) const;
    bool isTicked(int row) const;
    // The row showing the item at `url`, or -1.
    int rowOf(const std::filesystem::path& url) const;
    void toggle(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

Q_SIGNALS:
    // The rows were put in another order (not a new result).
    void sorted();

private:
    void rebuild();

    CleanerStore& store_;
    Module module_;
    ItemSort sort_ = ItemSort::size;
    std::vector<std::size_t> order_;
};
