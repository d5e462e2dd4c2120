#include "ui/tray/PanelHeader.h"

#include <QHBoxLayout>

#include "store/CleanerStore.h"
#include "ui/design/IconButton.h"
#include "ui/design/Overflow.h"
#include "ui/design/Palette.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"
#include "ui/mascot/Mascot.h"
#include "ui/tray/TrayTexts.h"

PanelHeader::PanelHeader(CleanerStore& store, QWidget* parent)
    : QWidget(parent), store_(store), mascot_(new Mascot(Mascot::Mood::happy, 34)),
      status_(new TextLabel(QString(), Typography::caption(), Palette::inkSecondary)),
      settings_(new IconButton(QStringLiteral("gearshape.fill"), tr("Settings")))
{
    settings_->setAccessibleName(tr("Settings"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    Overflow::addWidget(row, mascot_, mascot_->overflowMargins());
    auto* column = new QVBoxLayout;
    column->setSpacing(1);
    column->addWidget(new TextLabel(QStringLiteral("Quillo"), Typography::font(16, FontWeight::heavy), Palette::ink));
    column->addWidget(status_);
    row->addLayout(column, 1);
    row->addWidget(settings_);

    connect(settings_, &QAbstractButton::clicked, this, &PanelHeader::settingsClicked);
    connect(&store_, &CleanerStore::phaseChanged, this, [this](Module module) {
        if (module == Module::smartScan)
            refresh();
    });
    connect(&store_, &CleanerStore::storageChanged, this, &PanelHeader::refresh);
    refresh();
}

const QString& PanelHeader::status() const
{
    return status_->text();
}

void PanelHeader::refresh()
{
    const bool scanning = store_.phase(Module::smartScan).kind() == ScanPhase::Kind::scanning;
    mascot_->setMood(scanning ? Mascot::Mood::busy : Mascot::Mood::happy);
    status_->setText(TrayTexts::status(scanning, store_.storage()));
    status_->setColor(!scanning && store_.storage().isSpaceLow() ? Palette::danger : Palette::inkSecondary);
}
