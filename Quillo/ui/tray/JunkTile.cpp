#include "ui/tray/JunkTile.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/PlatformWords.h"
#include "store/CleanerStore.h"
#include "ui/design/BaselineRow.h"
#include "ui/design/FrameThrottle.h"
#include "ui/design/ModuleTheme.h"
#include "ui/design/Palette.h"
#include "ui/design/PillButton.h"
#include "ui/design/ProgressCapsule.h"
#include "ui/design/SizeText.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"

namespace {

// The Smart Scan's progress: the mean over its modules, one without progress counting 0.
double smartScanProgress(const CleanerStore& store)
{
    const auto targets = Module(Module::smartScan).scanTargets();
    double sum = 0;
    for (Module target : targets)
        sum += store.progress(target);
    return sum / double(targets.size());
}

PillButton* smallButton(const QString& text)
{
    return new PillButton(text, Palette::brand, DynamicColor(hexColor(0xFFFFFF)), ButtonSize::small);
}

} // namespace

JunkTile::JunkTile(CleanerStore& store, QWidget* parent)
    : Card(16, parent), throttle_(new FrameThrottle(this, [this] { refresh(); })), store_(store)
{
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(14, 14, 14, 14);
    auto later = [this](Module changed) {
        const auto targets = Module(Module::smartScan).scanTargets();
        if (changed == Module::smartScan || std::find(targets.begin(), targets.end(), changed) != targets.end())
            throttle_->request();
    };
    connect(&store_, &CleanerStore::phaseChanged, this, later);
    connect(&store_, &CleanerStore::resultChanged, this, later);
    connect(&store_, &CleanerStore::progressChanged, this, later);
    connect(&store_, &CleanerStore::liveFoundChanged, this, later);
    refresh();
}

void JunkTile::refresh()
{
    const JunkTileState state = junkTileState(store_);
    if (!built_ || state != state_)
        rebuild(state);
    if (found_)
        found_->setBytes(store_.foundBytes(Module::smartScan));
    if (progress_)
        progress_->setFraction(smartScanProgress(store_));
}

void JunkTile::rebuild(JunkTileState state)
{
    built_ = true;
    state_ = state;
    // Whatever the last state held goes with its body.
    delete body_;
    body_ = new QWidget;
    column_ = new QVBoxLayout(body_);
    column_->setContentsMargins(0, 0, 0, 0);
    static_cast<QVBoxLayout*>(layout())->addWidget(body_);
    body_->show();
    switch (state) {
    case JunkTileState::scanning:
        buildScanning();
        break;
    case JunkTileState::result:
        buildResult();
        break;
    case JunkTileState::idle:
        buildIdle();
        break;
    }
}

void JunkTile::buildScanning()
{
    const ModuleTheme theme = ModuleTheme::of(Module::smartScan);
    column_->setSpacing(8);
    auto* row = new QHBoxLayout;
    row->addWidget(new TextLabel(tr("Scanning…"), Typography::cardTitle(), theme.ink));
    row->addStretch();
    found_ = new SizeText(store_.foundBytes(Module::smartScan), Typography::font(13, FontWeight::heavy),
                          Typography::font(13, FontWeight::heavy), ByteFormat::Style::file, theme.ink);
    row->addWidget(found_);
    column_->addLayout(row);
    progress_ = new ProgressCapsule(smartScanProgress(store_), DynamicColor(theme.strong), 8);
    column_->addWidget(progress_);
    setAccessibleName(tr("Scanning"));
}

void JunkTile::buildResult()
{
    const ModuleTheme theme = ModuleTheme::of(Module::smartScan);
    column_->setSpacing(12);
    found_ = new SizeText(store_.foundBytes(Module::smartScan), Typography::font(24, FontWeight::heavy, FontDesign::rounded),
                          Typography::font(13, FontWeight::bold, FontDesign::rounded), ByteFormat::Style::file, theme.ink);
    auto* caption = new TextLabel(tr("ready to clean"), Typography::caption(), Palette::inkSecondary);
    auto* row = baselineRow({{found_, found_->baseline()}, {caption, caption->baseline()}}, 6);
    row->addStretch();
    column_->addLayout(row);
    button_ = smallButton(tr("Review"));
    connect(button_, &QAbstractButton::clicked, this, &JunkTile::reviewClicked);
    column_->addWidget(button_, 0, Qt::AlignLeft);
    setAccessibleName(tr("%1 ready to clean").arg(ByteFormat::string(store_.foundBytes(Module::smartScan), ByteFormat::Style::file)));
}

void JunkTile::buildIdle()
{
    const ModuleTheme theme = ModuleTheme::of(Module::smartScan);
    column_->setSpacing(12);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(new TextLabel(tr("How much can you free?"), Typography::cardTitle(), theme.ink));
    const std::string_view idleLine = platform::platformWords().trayIdleLine;
    auto* line = new TextLabel(QCoreApplication::translate("PlatformWords", idleLine.data()), Typography::caption(),
                               Palette::inkSecondary);
    line->setWordWrap();
    texts->addWidget(line);
    column_->addLayout(texts);
    button_ = smallButton(tr("Scan"));
    connect(button_, &QAbstractButton::clicked, this, [this] { store_.scan(Module::smartScan); });
    column_->addWidget(button_, 0, Qt::AlignLeft);
    setAccessibleName(tr("How much can you free?"));
}
