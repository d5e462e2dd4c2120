#include "ui/home/StorageCard.h"

#include <QVBoxLayout>

#include "store/CleanerStore.h"
#include "ui/design/BaselineRow.h"
#include "ui/design/Palette.h"
#include "ui/design/StorageBar.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"
#include "ui/home/HomeTexts.h"
#include "ui/home/LegendChip.h"

StorageCard::StorageCard(CleanerStore& store, QWidget* parent)
    : Card(22, parent), store_(store), volume_(new TextLabel(QString(), Typography::cardTitle(), Palette::ink)),
      free_(new TextLabel(QString(), Typography::font(13, FontWeight::bold, FontDesign::rounded), Palette::inkSecondary)),
      bar_(new StorageBar({}, 0, 16)), legend_(new LegendRow)
{
    volume_->setSymbol(QStringLiteral("internaldrive.fill"), 6);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(14);
    auto* first = baselineRow({{volume_, volume_->baseline()}, {free_, free_->baseline()}}, 8);
    first->insertStretch(1);
    column->addLayout(first);
    column->addWidget(bar_);
    column->addWidget(legend_);
    connect(&store_, &CleanerStore::storageChanged, this, &StorageCard::refresh);
    connect(&store_, &CleanerStore::resultChanged, this, &StorageCard::refresh);
    refresh();
}

void StorageCard::refresh()
{
    const StorageInfo& storage = store_.storage();
    volume_->setText(QString::fromStdString(storage.volumeName));
    free_->setText(HomeTexts::freeOfTotal(storage));
    free_->setColor(storage.isSpaceLow() ? Palette::danger : Palette::inkSecondary);
    const std::vector<StorageSegment> segments = storageSegments(store_);
    bar_->setSegments(segments, storage.total);
    legend_->setSegments(segments);
}
