#include "ui/module/ModuleHeader.h"

#include <QVBoxLayout>

#include "store/CleanerStore.h"
#include "ui/design/CrossFade.h"
#include "ui/design/FrameThrottle.h"
#include "ui/design/IconBubble.h"
#include "ui/design/ModuleTheme.h"
#include "ui/design/Motion.h"
#include "ui/design/Palette.h"
#include "ui/design/SizeText.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"
#include "ui/module/ModuleTexts.h"

bool ModuleHeader::showsFound(const CleanerStore& store, Module module)
{
    const ScanPhase::Kind kind = store.phase(module).kind();
    const CategoryResult* result = store.result(module);
    return kind != ScanPhase::Kind::idle && kind != ScanPhase::Kind::scanning && result && !result->accessDenied;
}

ModuleHeader::ModuleHeader(CleanerStore& store, Module module, QWidget* parent)
    : QWidget(parent), store_(store), module_(module), foundSlot_(new CrossFade),
      throttle_(new FrameThrottle(this, [this] { refresh(); }))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(32, 6, 32, 18);
    row->setSpacing(16);
    row->addWidget(new IconBubble(module, 50));
    auto* texts = new QVBoxLayout;
    texts->setSpacing(3);
    texts->addWidget(new TextLabel(ModuleTexts::catalogue(module.title()), Typography::title(), Palette::ink));
    auto* tagline = new TextLabel(ModuleTexts::catalogue(module.tagline()), Typography::body(), Palette::inkSecondary);
    tagline->setElideMode(Qt::ElideRight);
    texts->addWidget(tagline);
    row->addLayout(texts, 1);
    row->addWidget(foundSlot_);

    auto later = [this](Module changed) {
        if (changed == module_)
            throttle_->request();
    };
    connect(&store_, &CleanerStore::phaseChanged, this, later);
    connect(&store_, &CleanerStore::resultChanged, this, later);
    connect(&store_, &CleanerStore::liveFoundChanged, this, later);
    refresh();
}

void ModuleHeader::refresh()
{
    const bool shows = showsFound(store_, module_);
    if (shows && !found_) {
        auto* column = new QWidget;
        auto* layout = new QVBoxLayout(column);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        found_ = new SizeText(store_.foundBytes(module_), Typography::cardValue(), Typography::cardUnit(),
                              ByteFormat::Style::file, ModuleTheme::of(module_).ink);
        layout->addWidget(found_, 0, Qt::AlignRight);
        auto* word = new TextLabel(tr("found"), Typography::caption(), Palette::inkSecondary);
        layout->addWidget(word, 0, Qt::AlignRight);
        foundSlot_->setCurrent(column, Timing::spring(0.5, 1.0));
    } else if (!shows && found_) {
        found_ = nullptr;
        foundSlot_->setCurrent(nullptr, Timing::spring(0.5, 1.0));
    }
    if (found_)
        found_->setBytes(store_.foundBytes(module_));
}
