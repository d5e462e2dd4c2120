#include "ui/home/HomeScreen.h"

#include <algorithm>

#include <QVBoxLayout>

#include "store/CleanerStore.h"
#include "ui/design/AdaptiveGrid.h"
#include "ui/design/CleanConfirmation.h"
#include "ui/design/ScrollView.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Translations.h"
#include "ui/home/HomeHeader.h"
#include "ui/home/ModuleCard.h"
#include "ui/home/StorageCard.h"

namespace {

// A column at most `maximum` wide, centred in whatever width it is given.
class CentredColumn : public QWidget {
public:
    CentredColumn(QWidget* content, int maximum) : content_(content), maximum_(maximum)
    {
        content_->setParent(this);
        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }

    QSize sizeHint() const override { return content_->sizeHint(); }
    QSize minimumSizeHint() const override { return {content_->minimumSizeHint().width(), heightForWidth(width())}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override
    {
        const int inner = std::min(width, maximum_);
        return content_->hasHeightForWidth() ? content_->heightForWidth(inner) : content_->sizeHint().height();
    }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        const int inner = std::min(width(), maximum_);
        content_->setGeometry((width() - inner) / 2, 0, inner, height());
    }

private:
    QWidget* content_;
    int maximum_;
};

} // namespace

HomeScreen::HomeScreen(CleanerStore& store, QWidget* parent)
    : QWidget(parent), store_(store), scroll_(new ScrollView), header_(new HomeHeader(store)),
      storage_(new StorageCard(store))
{
    Translations::install();
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll_);
    scroll_->setIndicatorsHidden(true);

    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(32, 4, 32, 32);
    column->setSpacing(22);
    column->addWidget(header_);
    column->addWidget(storage_);

    auto section = [column](const QString& title, AdaptiveGrid* grid) {
        auto* block = new QVBoxLayout;
        block->setSpacing(22);
        block->setContentsMargins(0, 4, 0, 0);
        block->addWidget(new SectionLabel(title));
        block->addLayout(grid);
        column->addLayout(block);
    };
    auto* ready = new AdaptiveGrid(220, 16, 16);
    for (Module module : {Module::systemJunk, Module::developerJunk, Module::trash}) {
        moduleCards_.push_back(new ModuleCard(store_, module));
        ready->addWidget(moduleCards_.back());
    }
    section(tr("Ready to clean"), ready);
    auto* deeper = new AdaptiveGrid(300, 16, 16);
    for (Module module : {Module::uninstaller, Module::leftovers, Module::largeFiles, Module::duplicates,
                          Module::downloads, Module::iosBackups}) {
        deeperCards_.push_back(new DeeperCard(store_, module));
        deeper->addWidget(deeperCards_.back());
    }
    section(tr("Go deeper"), deeper);
    column->addStretch();
    scroll_->setWidget(new CentredColumn(content, maximumColumnWidth));

    connect(header_, &HomeHeader::cleanClicked, this, &HomeScreen::confirmClean);
}

void HomeScreen::confirmClean()
{
    const CleanerStore::SelectedTotals totals = store_.selectedTotals(Module::smartScan);
    if (totals.count == 0 || confirmation_)
        return;
    const bool permanent = store_.deletesImmediately();
    const bool fromTrash = store_.selectedTotals(Module::trash).count > 0;
    confirmation_ = CleanConfirmation::open(
        this, CleanConfirmation::texts(totals.count, totals.bytes, permanent, !permanent && fromTrash),
        [this] { store_.clean(Module::smartScan); });
}
