#include "ui/home/HomeHeader.h"

#include <filesystem>
#include <set>
#include <utility>

#include <QHBoxLayout>

#include "platform/PlatformWords.h"
#include "store/CleanerStore.h"
#include "ui/design/FrameThrottle.h"
#include "ui/design/IconButton.h"
#include "ui/design/Overflow.h"
#include "ui/design/Palette.h"
#include "ui/design/PillButton.h"
#include "ui/design/SoftButton.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"
#include "ui/home/HomeTexts.h"
#include "ui/home/ProgressReadout.h"
#include "ui/mascot/Mascot.h"

namespace {

Mascot::Mood moodFor(const ScanPhase& phase)
{
    switch (phase.kind()) {
    case ScanPhase::Kind::scanning:
    case ScanPhase::Kind::cleaning:
        return Mascot::Mood::busy;
    case ScanPhase::Kind::cleaned:
        return Mascot::Mood::delighted;
    default:
        return Mascot::Mood::happy;
    }
}

} // namespace

HomeHeader::HomeHeader(CleanerStore& store, QWidget* parent)
    : QWidget(parent), store_(store), mascot_(new Mascot(Mascot::Mood::happy, 72)),
      title_(new TextLabel(QString(), Typography::hero(), Palette::ink)),
      subtitle_(new TextLabel(QString(), Typography::lead(), Palette::inkSecondary)),
      failures_(new TextLabel(QString(), Typography::caption(), Palette::warning)), actions_(new QWidget),
      actionRow_(new QHBoxLayout(actions_)), throttle_(new FrameThrottle(this, [this] { refresh(); }))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 6, 0, 6);
    row->setSpacing(18);
    Overflow::addWidget(row, mascot_, mascot_->overflowMargins());
    auto* texts = new QVBoxLayout;
    texts->setSpacing(6);
    texts->addWidget(title_);
    subtitle_->setElideMode(Qt::ElideMiddle);
    // It takes the room the row leaves it; a new path each frame must not lay the screen out anew.
    subtitle_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    subtitle_->setMinimumWidth(120);
    texts->addWidget(subtitle_);
    failures_->setSymbol(QStringLiteral("exclamationmark.triangle.fill"));
    texts->addWidget(failures_);
    row->addLayout(texts, 1);
    actionRow_->setContentsMargins(0, 0, 0, 0);
    actionRow_->setSpacing(10);
    row->addWidget(actions_);

    auto later = [this] { throttle_->request(); };
    connect(&store_, &CleanerStore::phaseChanged, this, later);
    connect(&store_, &CleanerStore::resultChanged, this, later);
    connect(&store_, &CleanerStore::liveFoundChanged, this, later);
    connect(&store_, &CleanerStore::progressChanged, this, later);
    connect(&store_, &CleanerStore::currentPathChanged, this, later);
    connect(&store_, &CleanerStore::selectionChanged, this, later);
    connect(&store_, &CleanerStore::storageChanged, this, later);
    connect(&store_, &CleanerStore::undoChanged, this, later);
    connect(&store_, &CleanerStore::undoFinished, this, &HomeHeader::showUndoOutcome);
    refresh();
}

const QString& HomeHeader::title() const
{
    return title_->text();
}

const QString& HomeHeader::subtitle() const
{
    return subtitle_->text();
}

const QString& HomeHeader::failures() const
{
    return failures_->text();
}

void HomeHeader::refresh()
{
    const ScanPhase phase = store_.phase(Module::smartScan);
    const CleanerStore::SelectedTotals ticked = store_.selectedTotals(Module::smartScan);
    const std::int64_t found = store_.foundBytes(Module::smartScan);
    mascot_->setMood(moodFor(phase));
    title_->setText(HomeTexts::title(phase, found));
    const HomeTexts::Subtitle subtitle =
        HomeTexts::subtitle(phase, store_.storage(), ticked.count, ticked.bytes, store_.currentPath());
    subtitle_->setText(subtitle.text);
    switch (subtitle.look) {
    case HomeTexts::Subtitle::Look::plain:
        subtitle_->setColor(Palette::inkSecondary);
        subtitle_->setSymbol({});
        break;
    case HomeTexts::Subtitle::Look::warning:
        subtitle_->setColor(Palette::danger);
        subtitle_->setSymbol(QStringLiteral("exclamationmark.triangle.fill"));
        break;
    case HomeTexts::Subtitle::Look::path:
        subtitle_->setColor(Palette::inkTertiary);
        subtitle_->setSymbol({});
        break;
    }
    if (phase.kind() != ScanPhase::Kind::cleaned)
        undoNote_.clear();
    const QString failures = undoNote_.isEmpty() ? subtitle.failures : undoNote_;
    failures_->setText(failures);
    failures_->setVisible(!failures.isEmpty());

    const bool undo = phase.kind() == ScanPhase::Kind::cleaned && store_.canUndo(Module::smartScan);
    if (!built_ || !(phase == shownPhase_) || undo != shownUndo_)
        rebuildActions();
    shownPhase_ = phase;
    shownUndo_ = undo;
    if (readout_ && phase.kind() == ScanPhase::Kind::scanning)
        readout_->set(HomeTexts::progressLabel(smartScanProgress(store_), found), smartScanProgress(store_));
    if (primary_ && phase.kind() == ScanPhase::Kind::ready) {
        primary_->setText(HomeTexts::cleanButton(ticked.bytes));
        primary_->setEnabled(ticked.count > 0);
    }
}

void HomeHeader::rebuildActions()
{
    built_ = true;
    while (QLayoutItem* item = actionRow_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const ScanPhase phase = store_.phase(Module::smartScan);
    auto pill = [this](const QString& text, const QString& symbol) {
        auto* button = new PillButton(text, Palette::brand);
        if (!symbol.isEmpty())
            button->setSymbol(symbol);
        button->setDefault(true);
        actionRow_->addWidget(button);
        primary_ = button;
        return button;
    };
    primary_ = nullptr;
    readout_ = nullptr;
    switch (phase.kind()) {
    case ScanPhase::Kind::idle: {
        const auto& words = platform::platformWords();
        auto* scan = pill(QCoreApplication::translate("PlatformWords", words.scanMyComputer.data()),
                          QStringLiteral("sparkles"));
        connect(scan, &QAbstractButton::clicked, this, [this] { store_.scan(Module::smartScan); });
        break;
    }
    case ScanPhase::Kind::scanning: {
        readout_ = new ProgressReadout(QString(), 0.0);
        actionRow_->addWidget(readout_);
        auto* stop = new IconButton(QStringLiteral("xmark"), tr("Stop scanning"));
        actionRow_->addWidget(stop);
        connect(stop, &QAbstractButton::clicked, this, [this] { store_.cancelScan(Module::smartScan); });
        break;
    }
    case ScanPhase::Kind::ready: {
        auto* rescan = new SoftButton(tr("Rescan"));
        actionRow_->addWidget(rescan);
        connect(rescan, &QAbstractButton::clicked, this, [this] { store_.scan(Module::smartScan); });
        auto* clean = pill(QString(), QStringLiteral("sparkles"));
        connect(clean, &QAbstractButton::clicked, this, &HomeHeader::cleanClicked);
        break;
    }
    case ScanPhase::Kind::cleaning:
        readout_ = new ProgressReadout(tr("Cleaning…"), std::nullopt);
        actionRow_->addWidget(readout_);
        break;
    case ScanPhase::Kind::cleaned: {
        if (phase.summary()->movedToTrash) {
            auto* review = new SoftButton(tr("Review Trash"));
            actionRow_->addWidget(review);
            connect(review, &QAbstractButton::clicked, this, [this] {
                store_.dismissSummary(Module::smartScan);
                store_.open(Module::trash, false);
            });
        }
        if (store_.canUndo(Module::smartScan)) {
            auto* undo = new SoftButton(tr("Undo"));
            undo->setToolTip(tr("Put the cleaned items back where they were"));
            actionRow_->addWidget(undo);
            connect(undo, &QAbstractButton::clicked, this, [this] {
                undoAsked_ = true;
                store_.undoLastClean();
            });
        }
        auto* done = pill(tr("Done"), {});
        connect(done, &QAbstractButton::clicked, this, [this] { store_.dismissSummary(Module::smartScan); });
        break;
    }
    }
}

// Everything back, the clean is undone and the header leaves its cleaned state; else it says what
// stayed.
void HomeHeader::showUndoOutcome(const UndoReport& report)
{
    if (!std::exchange(undoAsked_, false))
        return;
    const std::size_t stayed = report.entries.size() - report.restoredCount();
    if (report.kind == UndoReport::Kind::undone && stayed == 0) {
        store_.dismissSummary(Module::smartScan);
        return;
    }
    // Counted by item: one item may have gone to the Trash in several pieces.
    std::set<std::filesystem::path> notBack;
    for (const UndoReport::Entry& entry : report.entries) {
        if (entry.error)
            notBack.insert(entry.item);
    }
    undoNote_ = report.kind == UndoReport::Kind::undone
                    ? tr("%n item(s) couldn't be put back: something else is at their place now, or they "
                         "left the Trash.",
                         nullptr, int(notBack.size()))
                    : tr("Nothing is left to put back.");
    refresh();
}
