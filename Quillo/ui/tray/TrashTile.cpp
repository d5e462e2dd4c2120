#include "ui/tray/TrashTile.h"

#include <QVBoxLayout>

#include "store/CleanerStore.h"
#include "ui/design/Palette.h"
#include "ui/design/SizeText.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"

TrashTile::TrashTile(CleanerStore& store, QWidget* parent)
    : CardButton(16, parent), store_(store), column_(new QVBoxLayout(this))
{
    setCardLook();
    setToolTip(tr("Open in Quillo"));
    column_->setContentsMargins(12, 12, 12, 12);
    column_->setSpacing(8);
    auto* label = new TextLabel(tr("Trash"), Typography::font(11.5, FontWeight::semibold), Palette::inkSecondary);
    label->setSymbol(QStringLiteral("trash.fill"));
    column_->addWidget(label);
    column_->addStretch();
    // As tall as the memory tile beside it, whatever it shows.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    connect(&store_, &CleanerStore::resultChanged, this, [this](Module module) {
        if (module == Module::trash)
            refresh();
    });
    refresh();
}

QString TrashTile::note() const
{
    return note_ ? note_->text() : QString();
}

void TrashTile::refresh()
{
    const TrashTileState state = trashTileState(store_);
    if (!built_ || state != state_) {
        built_ = true;
        state_ = state;
        delete value_;
        if (state == TrashTileState::figure) {
            figure_ = new SizeText(0, Typography::font(18, FontWeight::heavy), Typography::font(11, FontWeight::bold));
            value_ = figure_;
        } else {
            const bool refused = state == TrashTileState::needsAccess;
            note_ = new TextLabel(refused ? tr("Needs access") : tr("Not scanned"), Typography::font(15, FontWeight::medium),
                                  refused ? Palette::warning : Palette::inkTertiary);
            value_ = note_;
        }
        value_->setAttribute(Qt::WA_TransparentForMouseEvents);
        column_->insertWidget(1, value_);
        value_->show();
    }
    if (figure_)
        figure_->setBytes(store_.scannedBytes(Module::trash).value_or(0));
    const QString value = figure_ ? ByteFormat::string(figure_->bytes(), ByteFormat::Style::file) : note();
    setAccessibleName(tr("Trash: %1").arg(value));
    setAccessibleDescription(tr("Open in Quillo"));
}
