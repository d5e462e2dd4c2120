#include "app/StorageWidget.h"

#include <QVBoxLayout>

#include "store/CleanerStore.h"
#include "ui/design/BaselineRow.h"
#include "ui/design/Palette.h"
#include "ui/design/SizeText.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"
#include "ui/design/UsageBar.h"

StorageWidget::StorageWidget(CleanerStore& store, QWidget* parent)
    : Card(16, parent), store_(store),
      volume_(new TextLabel(QString(), Typography::font(12, FontWeight::bold, FontDesign::rounded), Palette::inkSecondary)),
      free_(new SizeText(0, Typography::font(20, FontWeight::heavy, FontDesign::rounded),
                         Typography::font(12, FontWeight::bold, FontDesign::rounded))),
      bar_(new UsageBar(0, Palette::brand, 7))
{
    volume_->setSymbol(QStringLiteral("internaldrive.fill"), 6);
    volume_->setElideMode(Qt::ElideRight);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(9);
    column->addWidget(volume_);
    auto* freeLabel = new TextLabel(tr("free"), Typography::font(12, FontWeight::semibold), Palette::inkSecondary);
    auto* figure = baselineRow({{free_, free_->baseline()}, {freeLabel, freeLabel->baseline()}}, 4);
    figure->addStretch();
    column->addLayout(figure);
    column->addWidget(bar_);
    connect(&store_, &CleanerStore::storageChanged, this, &StorageWidget::refresh);
    refresh();
}

void StorageWidget::refresh()
{
    const StorageInfo& storage = store_.storage();
    const bool low = storage.isSpaceLow();
    volume_->setText(QString::fromStdString(storage.volumeName));
    free_->setBytes(storage.available);
    free_->setColor(low ? Palette::danger : Palette::ink);
    bar_->setColor(low ? Palette::danger : Palette::brand);
    bar_->setFraction(storage.usedFraction());
    setAccessibleName(tr("%1: %2 free").arg(volume_->text(), ByteFormat::string(storage.available, ByteFormat::Style::file)));
}

void StorageWidget::showEvent(QShowEvent* event)
{
    Card::showEvent(event);
    store_.refreshStats();
}
