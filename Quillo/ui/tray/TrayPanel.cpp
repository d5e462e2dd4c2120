#include "ui/tray/TrayPanel.h"

#include <QPainter>
#include <QVBoxLayout>

#include "store/CleanerStore.h"
#include "ui/design/DropShadow.h"
#include "ui/design/Palette.h"
#include "ui/design/SoftButton.h"
#include "ui/design/Translations.h"
#include "ui/tray/DiskTile.h"
#include "ui/tray/JunkTile.h"
#include "ui/tray/MemoryTile.h"
#include "ui/tray/PanelHeader.h"
#include "ui/tray/TrashTile.h"

TrayPanel::TrayPanel(CleanerStore& store, QWidget* parent)
    : QWidget(parent), store_(store), header_((Translations::install(), new PanelHeader(store))),
      disk_(new DiskTile(store)), junk_(new JunkTile(store)), memory_(new MemoryTile(store)),
      trash_(new TrashTile(store)), open_(new SoftButton(tr("Open Quillo"), ButtonSize::small)),
      undo_(new SoftButton(tr("Undo Last Clean"), ButtonSize::small)), quit_(new SoftButton(tr("Quit"), ButtonSize::small))
{
    DropShadow::markAsSurface(this);
    setFixedWidth(panelWidth);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(10);
    column->addWidget(header_);
    column->addWidget(disk_);
    column->addWidget(junk_);
    auto* pair = new QHBoxLayout;
    pair->setSpacing(10);
    pair->addWidget(memory_, 1);
    pair->addWidget(trash_, 1);
    column->addLayout(pair);
    auto* actions = new QHBoxLayout;
    actions->setContentsMargins(0, 4, 0, 0);
    actions->setSpacing(8);
    actions->addWidget(open_);
    actions->addWidget(undo_);
    actions->addStretch();
    actions->addWidget(quit_);
    column->addLayout(actions);

    connect(header_, &PanelHeader::settingsClicked, this, &TrayPanel::settingsRequested);
    connect(junk_, &JunkTile::reviewClicked, this, [this] { Q_EMIT openRequested(Module::smartScan); });
    connect(trash_, &QAbstractButton::clicked, this, [this] { Q_EMIT openRequested(Module::trash); });
    connect(open_, &QAbstractButton::clicked, this, [this] { Q_EMIT openRequested(Module::smartScan); });
    connect(quit_, &QAbstractButton::clicked, this, &TrayPanel::quitRequested);
    undo_->setToolTip(tr("Put the items of the last clean back where they were"));
    undo_->setVisible(store_.canUndo());
    connect(&store_, &CleanerStore::undoChanged, this, [this] { undo_->setVisible(store_.canUndo()); });
    connect(undo_, &QAbstractButton::clicked, this, [this] { store_.undoLastClean(); });
}

void TrayPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    store_.refreshStats();
}

void TrayPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Palette::canvas.current());
}
