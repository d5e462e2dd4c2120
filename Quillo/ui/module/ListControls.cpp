#include "ui/module/ListControls.h"

#include <QHBoxLayout>

#include "ui/design/Palette.h"
#include "ui/design/SegmentedPicker.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"
#include "ui/module/ModuleTexts.h"
#include "ui/module/SelectAllBox.h"

namespace {

QStringList sortLabels()
{
    QStringList labels;
    for (ItemSort sort : allItemSorts)
        labels << ModuleTexts::sortLabel(sort);
    return labels;
}

} // namespace

ListControls::ListControls(DynamicColor color, QWidget* parent)
    : QWidget(parent), selectAll_(new SelectAllBox(color)),
      count_(new TextLabel(QString(), Typography::caption(), Palette::inkTertiary)),
      picker_(new SegmentedPicker(sortLabels(), tr("Sort by")))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(48, 0, 48, 0);
    row->setSpacing(10);
    row->addWidget(selectAll_);
    row->addWidget(count_);
    row->addStretch();
    row->addWidget(picker_);
    connect(selectAll_, &QAbstractButton::clicked, this, [this] { Q_EMIT selectAll(!selectAll_->allSelected()); });
    connect(picker_, &SegmentedPicker::currentChanged, this,
            [this](int index) { Q_EMIT sortChosen(allItemSorts[std::size_t(index)]); });
}

void ListControls::setCounts(std::size_t total, std::size_t selected)
{
    selectAll_->setCounts(selected, total);
    count_->setText(ModuleTexts::itemCount(total));
}

void ListControls::setSort(ItemSort sort)
{
    picker_->setCurrent(int(sort));
}
