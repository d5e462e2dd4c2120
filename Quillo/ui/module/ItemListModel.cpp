#include "ui/module/ItemListModel.h"

#include "store/CleanerStore.h"
#include "ui/module/ModuleTexts.h"

ItemListModel::ItemListModel(CleanerStore& store, Module module, QObject* parent)
    : QAbstractListModel(parent), store_(store), module_(module)
{
    rebuild();
    connect(&store_, &CleanerStore::resultChanged, this, [this](Module changed) {
        if (changed != module_)
            return;
        beginResetModel();
        rebuild();
        endResetModel();
    });
    connect(&store_, &CleanerStore::selectionChanged, this, [this] {
        if (!order_.empty())
            Q_EMIT dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
    });
}

void ItemListModel::setSort(ItemSort sort)
{
    if (sort == sort_)
        return;
    sort_ = sort;
    beginResetModel();
    rebuild();
    endResetModel();
    Q_EMIT sorted();
}

void ItemListModel::rebuild()
{
    const CategoryResult* result = store_.result(module_);
    order_ = result ? sortedOrder(result->items, sort_) : std::vector<std::size_t>{};
}

const ScanItem& ItemListModel::item(int row) const
{
    return store_.result(module_)->items[order_[std::size_t(row)]];
}

bool ItemListModel::isTicked(int row) const
{
    return store_.isSelected(item(row));
}

int ItemListModel::rowOf(const std::filesystem::path& url) const
{
    for (int row = 0; row < rowCount(); ++row)
        if (item(row).url == url)
            return row;
    return -1;
}

void ItemListModel::toggle(int row)
{
    if (row >= 0 && row < rowCount())
        store_.toggle(item(row));
}

int ItemListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(order_.size());
}

QVariant ItemListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ScanItem& shown = item(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(shown.name);
    case Qt::CheckStateRole:
        return store_.isSelected(shown) ? Qt::Checked : Qt::Unchecked;
    case Qt::AccessibleTextRole:
        return ModuleTexts::rowAccessibleName(shown);
    default:
        return {};
    }
}

Qt::ItemFlags ItemListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren;
}

bool ItemListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole)
        return false;
    if ((value.toInt() == Qt::Checked) != isTicked(index.row()))
        toggle(index.row());
    return true;
}
