#include "ui/home/ModuleCard.h"

#include <cmath>

#include <QFontMetricsF>
#include <QHBoxLayout>

#include "platform/PlatformWords.h"
#include "store/CleanerStore.h"
#include "ui/design/Chip.h"
#include "ui/design/FrameThrottle.h"
#include "ui/design/IconBubble.h"
#include "ui/design/ModuleTheme.h"
#include "ui/design/Palette.h"
#include "ui/design/SizeText.h"
#include "ui/design/Spinner.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"

ModuleCard::ModuleCard(CleanerStore& store, Module module, QWidget* parent)
    : CardButton(24, parent), store_(store), module_(module), valueSlot_(new QWidget),
      valueLayout_(new QVBoxLayout(valueSlot_)), throttle_(new FrameThrottle(this, [this] { refresh(); }))
{
    const ModuleTheme theme = ModuleTheme::of(module);
    setFill(theme.tint);
    setMinimumHeight(214);
    setAccessibleName(HomeTexts::module(module.title()));
    setAccessibleDescription(HomeTexts::module(module.tagline()));
    picked_ = new Chip(QString(), {}, theme.ink, Palette::card.withOpacity(0.7));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(0);
    auto* top = new QHBoxLayout;
    top->addWidget(new IconBubble(module, 46), 0, Qt::AlignTop);
    top->addStretch();
    top->addWidget(picked_, 0, Qt::AlignTop);
    column->addLayout(top);
    column->addSpacing(18);
    column->addStretch();
    column->addWidget(new TextLabel(HomeTexts::module(module.title()), Typography::cardTitle(), theme.ink));
    auto* tagline = new TextLabel(HomeTexts::module(module.tagline()), Typography::caption(), theme.ink);
    tagline->setOpacity(0.72);
    tagline->setWordWrap();
    // Two lines' room whatever the tagline's length, so the cards' figures line up.
    tagline->setMinimumHeight(int(std::ceil(2 * QFontMetricsF(Typography::caption()).height())));
    column->addSpacing(3);
    column->addWidget(tagline);
    column->addSpacing(14);
    valueLayout_->setContentsMargins(0, 0, 0, 0);
    column->addWidget(valueSlot_);

    connect(this, &QAbstractButton::clicked, this, [this] { store_.open(module_, false); });
    auto later = [this](Module changed) {
        if (changed == module_)
            throttle_->request();
    };
    connect(&store_, &CleanerStore::phaseChanged, this, later);
    connect(&store_, &CleanerStore::resultChanged, this, later);
    connect(&store_, &CleanerStore::liveFoundChanged, this, later);
    connect(&store_, &CleanerStore::selectionChanged, this, [this] { throttle_->request(); });
    refresh();
}

QString ModuleCard::pickedText() const
{
    return picked_->isHidden() ? QString() : picked_->text();
}

void ModuleCard::refresh()
{
    const std::optional<QString> picked = HomeTexts::pickedChip(store_, module_);
    picked_->setText(picked.value_or(QString()));
    picked_->setHidden(!picked);
    const CardValue value = cardValue(store_, module_);
    if (!built_ || value != shownValue_)
        rebuildValue(value);
    if (figure_)
        figure_->setBytes(store_.foundBytes(module_));
}

void ModuleCard::rebuildValue(CardValue value)
{
    built_ = true;
    shownValue_ = value;
    while (QLayoutItem* item = valueLayout_->takeAt(0)) {
        if (item->layout())
            while (QLayoutItem* inner = item->layout()->takeAt(0)) {
                delete inner->widget();
                delete inner;
            }
        delete item->widget();
        delete item;
    }
    figure_ = nullptr;
    const ModuleTheme theme = ModuleTheme::of(module_);
    switch (value) {
    case CardValue::needsAccess: {
        auto* label = new TextLabel(HomeTexts::module(platform::platformWords().needsAccess),
                                    Typography::font(13, FontWeight::bold), theme.ink);
        label->setSymbol(QStringLiteral("lock.fill"));
        valueLayout_->addWidget(label);
        break;
    }
    case CardValue::notScanned: {
        auto* label = new TextLabel(tr("Not scanned yet"), Typography::font(14, FontWeight::bold), theme.ink);
        label->setOpacity(0.55);
        valueLayout_->addWidget(label);
        break;
    }
    case CardValue::working: {
        auto* row = new QHBoxLayout;
        row->setSpacing(10);
        row->addWidget(new Spinner(16, theme.ink));
        figure_ = new SizeText(store_.foundBytes(module_), Typography::cardValue(), Typography::cardUnit(),
                               ByteFormat::Style::file, theme.ink);
        row->addWidget(figure_);
        row->addStretch();
        valueLayout_->addLayout(row);
        break;
    }
    case CardValue::figure: {
        auto* row = new QHBoxLayout;
        figure_ = new SizeText(store_.foundBytes(module_), Typography::cardValue(), Typography::cardUnit(),
                               ByteFormat::Style::file, theme.ink);
        row->addWidget(figure_, 0, Qt::AlignBottom);
        row->addStretch();
        auto* arrow = new TextLabel(QString(), Typography::font(24, FontWeight::bold), DynamicColor(theme.strong));
        arrow->setSymbol(QStringLiteral("arrow.right.circle.fill"), 0);
        row->addWidget(arrow, 0, Qt::AlignBottom);
        valueLayout_->addLayout(row);
        break;
    }
    }
    setAccessibleDescription(HomeTexts::module(module_.tagline()));
}

DeeperCard::DeeperCard(CleanerStore& store, Module module, QWidget* parent)
    : CardButton(20, parent), store_(store), module_(module),
      figure_(new SizeText(0, Typography::font(17, FontWeight::heavy), Typography::font(11, FontWeight::bold),
                           ByteFormat::Style::file, ModuleTheme::of(module).ink))
{
    setCardLook();
    setAccessibleName(HomeTexts::module(module.title()));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(14);
    row->addWidget(new IconBubble(module, 42));
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(new TextLabel(HomeTexts::module(module.title()), Typography::cardTitle(), Palette::ink));
    auto* tagline = new TextLabel(HomeTexts::module(module.tagline()), Typography::caption(), Palette::inkSecondary);
    tagline->setWordWrap();
    texts->addWidget(tagline);
    row->addLayout(texts, 1);
    row->addWidget(figure_);
    auto* arrow = new TextLabel(QString(), Typography::font(13, FontWeight::bold), Palette::inkTertiary);
    arrow->setSymbol(QStringLiteral("arrow.right"), 0);
    arrow_ = arrow;
    row->addWidget(arrow_);
    connect(this, &QAbstractButton::clicked, this, [this] { store_.open(module_, false); });
    connect(&store_, &CleanerStore::resultChanged, this, [this](Module changed) {
        if (changed == module_)
            refresh();
    });
    refresh();
}

void DeeperCard::refresh()
{
    const std::optional<std::int64_t> scanned = store_.scannedBytes(module_);
    const bool shows = scanned && *scanned >= 1;
    figure_->setVisible(shows);
    arrow_->setVisible(!shows);
    if (shows)
        figure_->setBytes(*scanned);
}
