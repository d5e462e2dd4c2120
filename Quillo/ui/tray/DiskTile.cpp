#include "ui/tray/DiskTile.h"

#include <QVBoxLayout>

#include "store/CleanerStore.h"
#include "ui/design/BaselineRow.h"
#include "ui/design/Palette.h"
#include "ui/design/SizeText.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"
#include "ui/design/UsageBar.h"
#include "ui/tray/TrayTexts.h"

DiskTile::DiskTile(CleanerStore& store, QWidget* parent)
    : Card(16, parent), store_(store),
      volume_(new TextLabel(QString(), Typography::font(11.5, FontWeight::semibold), Palette::inkSecondary)),
      used_(new TextLabel(QString(), Typography::font(11.5, FontWeight::semibold), Palette::inkSecondary)),
      free_(new SizeText(0, Typography::font(30, FontWeight::heavy), Typography::font(15, FontWeight::bold))),
      bar_(new UsageBar(0, Palette::brand, 8))
{
    volume_->setSymbol(QStringLiteral("internaldrive.fill"));
    volume_->setElideMode(Qt::ElideRight);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(10);
    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    top->addWidget(volume_, 1);
    top->addWidget(used_);
    column->addLayout(top);
    auto* freeLabel = new TextLabel(tr("free"), Typography::font(13, FontWeight::semibold), Palette::inkSecondary);
    auto* figure = baselineRow({{free_, free_->baseline()}, {freeLabel, freeLabel->baseline()}}, 6);
    figure->addStretch();
    column->addLayout(figure);
    column->addWidget(bar_);
    connect(&store_, &CleanerStore::storageChanged, this, &DiskTile::refresh);
    refresh();
}

void DiskTile::refresh()
{
    const StorageInfo& storage = store_.storage();
    const bool low = storage.isSpaceLow();
    volume_->setText(QString::fromStdString(storage.volumeName));
    used_->setText(TrayTexts::usedShare(storage));
    free_->setBytes(storage.available);
    free_->setColor(low ? Palette::danger : Palette::ink);
    bar_->setColor(low ? Palette::danger : Palette::brand);
    bar_->setFraction(storage.usedFraction());
    setAccessibleName(tr("%1: %2 free, %3").arg(volume_->text(), ByteFormat::string(storage.available, ByteFormat::Style::file), used_->text()));
}
