#include "ui/module/ModuleResults.h"

#include <utility>

#include <QMessageBox>
#include <QVBoxLayout>

#include "store/CleanerStore.h"
#include "ui/design/CleanConfirmation.h"
#include "ui/design/CrossFade.h"
#include "ui/design/ModuleTheme.h"
#include "ui/design/Motion.h"
#include "ui/module/AllClearView.h"
#include "ui/module/BannerSlot.h"
#include "ui/module/CleanActionBar.h"
#include "ui/module/CleanedBanner.h"
#include "ui/module/ItemListModel.h"
#include "ui/module/ItemListView.h"
#include "ui/module/KeptToast.h"
#include "ui/module/ListControls.h"
#include "ui/module/ModuleTexts.h"

namespace {

bool hasItems(const CleanerStore& store, Module module)
{
    const CategoryResult* result = store.result(module);
    return result && !result->items.empty();
}

} // namespace

ModuleResults::ModuleResults(CleanerStore& store, Module module, QWidget* parent)
    : QWidget(parent), store_(store), module_(module), banner_(new BannerSlot(32)), content_(new CrossFade),
      bar_(new CleanActionBar(module, this)), toast_(new KeptToast(this))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(banner_);
    column->addWidget(content_, 1);

    connect(bar_, &CleanActionBar::rescanClicked, this, [this] { store_.scan(module_); });
    connect(bar_, &CleanActionBar::cleanClicked, this, &ModuleResults::confirmClean);
    connect(&store_, &CleanerStore::selectionChanged, this, &ModuleResults::refreshTotals);
    connect(&store_, &CleanerStore::resultChanged, this, [this](Module changed) {
        if (changed == module_) {
            showContent();
            refreshTotals();
        }
    });
    connect(&store_, &CleanerStore::phaseChanged, this, [this](Module changed) {
        if (changed == module_)
            showBanner();
    });
    connect(&store_, &CleanerStore::undoChanged, this, [this] {
        if (CleanedBanner* banner = cleanedBanner())
            banner->setUndoAvailable(store_.canUndo(module_));
    });
    connect(&store_, &CleanerStore::undoFinished, this, &ModuleResults::showUndoOutcome);
    connect(toast_, &KeptToast::undoRequested, this, [this](const std::string& entry) { store_.unkeep(entry); });
    showContent();
    showBanner();
    refreshTotals();
}

AllClearView* ModuleResults::allClear() const
{
    return qobject_cast<AllClearView*>(content_->current());
}

QWidget* ModuleResults::makeListPage()
{
    auto* page = new QWidget;
    controls_ = new ListControls(ModuleTheme::of(module_).strong);
    auto* model = new ItemListModel(store_, module_, page);
    list_ = new ItemListView(model);
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 12, 0, 0);
    column->setSpacing(12);
    column->addWidget(controls_);
    column->addWidget(list_, 1);
    connect(controls_, &ListControls::selectAll, this, [this](bool on) {
        if (const CategoryResult* result = store_.result(module_))
            store_.setSelected(on, result->items);
    });
    connect(controls_, &ListControls::sortChosen, model, &ItemListModel::setSort);
    connect(list_, &ItemListView::neverCleanRequested, this, &ModuleResults::neverClean);
    return page;
}

void ModuleResults::showContent()
{
    const bool list = hasItems(store_, module_);
    if (list == showingList_ && content_->current())
        return;
    showingList_ = list;
    if (list) {
        content_->setCurrent(makeListPage(), Timing::spring(0.4, 1.0));
    } else {
        auto* allClear = new AllClearView(module_);
        connect(allClear, &AllClearView::scanAgainClicked, this, [this] { store_.scan(module_); });
        content_->setCurrent(allClear, Timing::spring(0.4, 1.0));
    }
    bar_->setVisible(list);
    bar_->raise();
}

void ModuleResults::showBanner()
{
    const auto summary = store_.phase(module_).summary();
    if (!summary) {
        banner_->setBanner(nullptr);
        return;
    }
    auto* banner = new CleanedBanner(*summary);
    banner->setUndoAvailable(store_.canUndo(module_));
    connect(banner, &CleanedBanner::dismissed, this, [this] { store_.dismissSummary(module_); });
    connect(banner, &CleanedBanner::undoClicked, this, [this] {
        undoAsked_ = true;
        store_.undoLastClean();
    });
    banner_->setBanner(banner);
}

CleanedBanner* ModuleResults::cleanedBanner() const
{
    return qobject_cast<CleanedBanner*>(banner_->banner());
}

void ModuleResults::neverClean(const ScanItem& item)
{
    // Copied first: keeping the item takes it out of the result the reference points into.
    const QString name = QString::fromStdString(item.name);
    const std::filesystem::path url = item.url;
    toast_->showFor(name, store_.keepPath(url));
    placeBar();
}

// Everything back, the clean is undone and its banner goes; else the banner says what stayed.
void ModuleResults::showUndoOutcome(const UndoReport& report)
{
    if (!std::exchange(undoAsked_, false))
        return;
    const std::size_t stayed = report.entries.size() - report.restoredCount();
    if (report.kind == UndoReport::Kind::undone && stayed == 0) {
        store_.dismissSummary(module_);
        return;
    }
    if (CleanedBanner* banner = cleanedBanner())
        banner->setDetail(ModuleTexts::undoLeftBehind(report));
}

void ModuleResults::refreshTotals()
{
    const CleanerStore::SelectedTotals totals = store_.selectedTotals(module_);
    const CategoryResult* result = store_.result(module_);
    if (controls_)
        controls_->setCounts(result ? result->items.size() : 0, totals.count);
    bar_->setSelection(totals.count, totals.bytes);
}

void ModuleResults::confirmClean()
{
    const CleanerStore::SelectedTotals totals = store_.selectedTotals(module_);
    if (totals.count == 0 || confirmation_)
        return;
    const bool permanent = CleanerStore::cleansPermanently(module_, store_.deletesImmediately());
    confirmation_ = CleanConfirmation::open(this, CleanConfirmation::texts(totals.count, totals.bytes, permanent),
                                            [this] { store_.clean(module_); });
}

void ModuleResults::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeBar();
}

void ModuleResults::placeBar()
{
    const int width = std::min(CleanActionBar::maximumWidth, this->width() - 64);
    const int height = bar_->sizeHint().height();
    bar_->setGeometry((this->width() - width) / 2, this->height() - 22 - height, width, height);
    const int toastWidth = std::min(toast_->sizeHint().width(), this->width() - 64);
    const int toastHeight = toast_->sizeHint().height();
    const int above = bar_->isVisible() ? bar_->y() - 12 : this->height() - 22;
    toast_->setGeometry((this->width() - toastWidth) / 2, above - toastHeight, toastWidth, toastHeight);
    toast_->raise();
}
