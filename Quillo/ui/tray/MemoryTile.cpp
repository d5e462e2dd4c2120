#include "ui/tray/MemoryTile.h"

#include <QVBoxLayout>

#include "store/CleanerStore.h"
#include "ui/design/BaselineRow.h"
#include "ui/design/Palette.h"
#include "ui/design/SizeText.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"

MemoryTile::MemoryTile(CleanerStore& store, QWidget* parent)
    : Card(16, parent), store_(store),
      used_(new SizeText(0, Typography::font(18, FontWeight::heavy), Typography::font(11, FontWeight::bold),
                         ByteFormat::Style::memory))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(8);
    auto* label = new TextLabel(tr("Memory"), Typography::font(11.5, FontWeight::semibold), Palette::inkSecondary);
    label->setSymbol(QStringLiteral("memorychip.fill"));
    column->addWidget(label);
    auto* inUse = new TextLabel(tr("in use"), Typography::font(11.5, FontWeight::semibold), Palette::inkSecondary);
    auto* row = baselineRow({{used_, used_->baseline()}, {inUse, inUse->baseline()}}, 4);
    row->addStretch();
    column->addLayout(row);
    column->addStretch();
    connect(&store_, &CleanerStore::memoryChanged, this, &MemoryTile::refresh);
    refresh();
}

void MemoryTile::refresh()
{
    used_->setBytes(store_.memory().used);
    setAccessibleName(tr("Memory: %1 in use").arg(ByteFormat::string(store_.memory().used, ByteFormat::Style::memory)));
}
