#include "ui/gallery/GallerySheets.h"

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "ui/mascot/Mascot.h"
#include "ui/mascot/MascotShapes.h"
#include "ui/design/ActionBarFade.h"
#include "ui/design/CanvasBackground.h"
#include "ui/design/Card.h"
#include "ui/design/CardButton.h"
#include "ui/design/Checkbox.h"
#include "ui/design/Chip.h"
#include "ui/design/FileIcon.h"
#include "ui/design/IconBubble.h"
#include "ui/design/IconButton.h"
#include "ui/design/ModuleTheme.h"
#include "ui/design/Overflow.h"
#include "ui/design/Palette.h"
#include "ui/design/PillButton.h"
#include "ui/design/ProgressCapsule.h"
#include "ui/design/ScrollView.h"
#include "ui/design/Shapes.h"
#include "ui/design/SizeText.h"
#include "ui/design/SoftButton.h"
#include "ui/design/StorageBar.h"
#include "ui/design/Symbols.h"
#include "ui/design/TagPill.h"
#include "ui/design/TagStyle.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"
#include "ui/design/UsageBar.h"

namespace GallerySheets {

namespace {

constexpr char stateProperty[] = "galleryState";
enum class State { normal, hovered, pressed, disabled };
constexpr State allStates[] = {State::normal, State::hovered, State::pressed, State::disabled};

QString nameOf(State state)
{
    switch (state) {
    case State::hovered:
        return QStringLiteral("Hovered");
    case State::pressed:
        return QStringLiteral("Pressed");
    case State::disabled:
        return QStringLiteral("Disabled");
    case State::normal:
        break;
    }
    return QStringLiteral("Normal");
}

QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), qsizetype(view.size()));
}

TextLabel* caption(const QString& words)
{
    return new TextLabel(words, Typography::caption(), Palette::inkSecondary);
}

// A window-sized canvas with a padded column to fill.
std::pair<std::unique_ptr<QWidget>, QVBoxLayout*> canvas(QSize size, std::optional<Module> wash)
{
    auto sheet = std::make_unique<CanvasBackground>(wash);
    sheet->resize(size);
    auto* column = new QVBoxLayout(sheet.get());
    column->setContentsMargins(32, 28, 32, 28);
    column->setSpacing(14);
    return {std::move(sheet), column};
}

QHBoxLayout* row(QVBoxLayout* column, int spacing = 12)
{
    auto* line = new QHBoxLayout;
    line->setSpacing(spacing);
    column->addLayout(line);
    return line;
}

// Buttons are put in their state once shown and laid out, as the pointer would.
template <typename Button>
Button* inState(Button* button, State state)
{
    button->setProperty(stateProperty, int(state));
    return button;
}

void applyState(StyledButton* button, State state)
{
    switch (state) {
    case State::normal:
        return;
    case State::disabled:
        button->setEnabled(false);
        return;
    case State::hovered:
        button->setHovered(true);
        return;
    case State::pressed: {
        button->setHovered(true);
        const QPointF centre = QRectF(button->rect()).center();
        QMouseEvent press(QEvent::MouseButtonPress, centre, button->mapToGlobal(centre), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button, &press);
        return;
    }
    }
}

void applyStates(QWidget& sheet)
{
    for (StyledButton* button : sheet.findChildren<StyledButton*>()) {
        const QVariant state = button->property(stateProperty);
        if (state.isValid())
            applyState(button, State(state.toInt()));
    }
}

// A module card as the home screen builds one: bubble, title, tagline and figure on the tint.
CardButton* moduleCard(Module module, std::int64_t bytes)
{
    const ModuleTheme theme = ModuleTheme::of(module);
    auto* card = new CardButton(24);
    card->setFill(theme.tint);
    card->setMinimumSize(236, 214);
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(0);
    auto* top = new QHBoxLayout;
    top->addWidget(new IconBubble(module, 46), 0, Qt::AlignTop);
    top->addStretch();
    top->addWidget(new Chip(QStringLiteral("12 of 14 picked"), {}, theme.ink, Palette::card.withOpacity(0.7)), 0,
                   Qt::AlignTop);
    column->addLayout(top);
    column->addSpacing(18);
    column->addStretch();
    column->addWidget(new TextLabel(text(module.title()), Typography::cardTitle(), theme.ink));
    auto* tagline = new TextLabel(text(module.tagline()), Typography::caption(), theme.ink);
    tagline->setOpacity(0.72);
    tagline->setWordWrap();
    column->addSpacing(3);
    column->addWidget(tagline);
    column->addSpacing(14);
    auto* value = new QHBoxLayout;
    value->addWidget(new SizeText(bytes, Typography::cardValue(), Typography::cardUnit(), ByteFormat::Style::file,
                                  theme.ink));
    value->addStretch();
    auto* arrow = new TextLabel(QString(), Typography::font(24, FontWeight::bold), DynamicColor(theme.strong));
    arrow->setSymbol(QStringLiteral("arrow.right.circle.fill"), 0);
    value->addWidget(arrow, 0, Qt::AlignBottom);
    column->addLayout(value);
    return card;
}

// A "go deeper" card: bubble, title and tagline on the card look.
CardButton* deeperCard(Module module, std::optional<std::int64_t> bytes)
{
    const ModuleTheme theme = ModuleTheme::of(module);
    auto* card = new CardButton(20);
    card->setCardLook();
    auto* line = new QHBoxLayout(card);
    line->setContentsMargins(16, 16, 16, 16);
    line->setSpacing(14);
    line->addWidget(new IconBubble(module, 42));
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(new TextLabel(text(module.title()), Typography::cardTitle(), Palette::ink));
    texts->addWidget(new TextLabel(text(module.tagline()), Typography::caption(), Palette::inkSecondary));
    line->addLayout(texts, 1);
    if (bytes) {
        line->addWidget(new SizeText(*bytes, Typography::font(17, FontWeight::heavy, FontDesign::rounded),
                                     Typography::font(11, FontWeight::bold, FontDesign::rounded),
                                     ByteFormat::Style::file, theme.ink));
    } else {
        auto* arrow = new TextLabel(QString(), Typography::font(13, FontWeight::bold), Palette::inkTertiary);
        arrow->setSymbol(QStringLiteral("arrow.right"), 0);
        line->addWidget(arrow);
    }
    return card;
}

std::unique_ptr<QWidget> buttonsSheet()
{
    auto [sheet, column] = canvas({1160, 860}, Module::smartScan);
    column->addWidget(new TextLabel(QStringLiteral("Buttons"), Typography::title(), Palette::ink));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(28);
    grid->setVerticalSpacing(18);
    column->addLayout(grid);
    for (int i = 0; i < 4; ++i)
        grid->addWidget(new SectionLabel(nameOf(allStates[i])), 0, i + 1);

    using Maker = std::function<QWidget*(State)>;
    const std::vector<std::pair<QString, Maker>> rows = {
        {"Soft, small", [](State s) { return inState(new SoftButton("Rescan", ButtonSize::small), s); }},
        {"Soft, regular", [](State s) { return inState(new SoftButton("Try again"), s); }},
        {"Soft, large", [](State s) {
             auto* b = inState(new SoftButton("Stop", ButtonSize::large), s);
             b->setSymbol("xmark");
             return b;
         }},
        {"Pill, brand", [](State s) {
             auto* b = inState(new PillButton("Scan my Mac", Palette::brand), s);
             b->setSymbol("sparkles");
             return b;
         }},
        {"Pill, module, large", [](State s) {
             const ModuleTheme theme = ModuleTheme::of(Module::systemJunk);
             auto* b = inState(new PillButton("Scan System Junk", theme.strong, theme.onStrong, ButtonSize::large), s);
             b->setSymbol("magnifyingglass");
             return b;
         }},
        {"Pill, dark text", [](State s) {
             const ModuleTheme theme = ModuleTheme::of(Module::trash);
             auto* b = inState(new PillButton("Delete 2.4 GB", theme.strong, theme.onStrong), s);
             b->setSymbol("trash.fill");
             return b;
         }},
        {"Pill, small", [](State s) { return inState(new PillButton("Review", Palette::brand, Qt::white, ButtonSize::small), s); }},
        {"Icon", [](State s) { return inState(new IconButton("xmark", "Stop scanning"), s); }},
        {"Icon, settings", [](State s) { return inState(new IconButton("gearshape.fill", "Settings"), s); }},
        {"Card, tinted", [](State s) { return inState(moduleCard(Module::developerJunk, 12'400'000'000), s); }},
        {"Card, card look", [](State s) { return inState(deeperCard(Module::largeFiles, 3'200'000'000), s); }},
    };
    for (std::size_t r = 0; r < rows.size(); ++r) {
        grid->addWidget(caption(rows[r].first), int(r) + 1, 0);
        for (int i = 0; i < 4; ++i)
            grid->addWidget(rows[r].second(allStates[i]), int(r) + 1, i + 1, Qt::AlignLeft | Qt::AlignVCenter);
    }
    column->addStretch();
    return std::move(sheet);
}

// A result list as the category screen builds one: rows on a card in a scroll area whose bottom
// fades out under the action bar.
QWidget* fadingList()
{
    auto* area = new ScrollView;
    area->setFixedHeight(230);
    auto* content = new QWidget;
    auto* padding = new QVBoxLayout(content);
    padding->setContentsMargins(0, 14, 12, 80);
    auto* card = new Card(22);
    auto* rows = new QVBoxLayout(card);
    rows->setContentsMargins(20, 6, 20, 6);
    rows->setSpacing(0);
    const ModuleTheme theme = ModuleTheme::of(Module::systemJunk);
    const std::pair<const char*, ScanItem::Tag> items[] = {
        {"Google Chrome", ScanItem::Tag::rebuildable}, {"Slack", ScanItem::Tag::running},
        {"Spotify", ScanItem::Tag::rebuildable},       {"com.example.Browser", ScanItem::Tag::system},
        {"Xcode", ScanItem::Tag::review},              {"npm", ScanItem::Tag::old}};
    std::int64_t bytes = 4'810'000'000;
    for (const auto& [name, tag] : items) {
        auto* line = new QHBoxLayout;
        line->setContentsMargins(0, 9, 0, 9);
        line->setSpacing(12);
        line->addWidget(new Checkbox(tag == ScanItem::Tag::running ? CheckState::off : CheckState::on, theme.strong));
        line->addWidget(new FileIcon(QDir::homePath(), 30));
        auto* texts = new QVBoxLayout;
        texts->setSpacing(1);
        texts->addWidget(new TextLabel(name, Typography::font(13, FontWeight::semibold, FontDesign::rounded), Palette::ink));
        auto* path = new TextLabel(QStringLiteral("~/Library/Caches/") + name, Typography::path(), Palette::inkTertiary);
        path->setElideMode(Qt::ElideMiddle);
        texts->addWidget(path);
        line->addLayout(texts, 1);
        line->addWidget(new TagPill(tag));
        line->addWidget(new SizeText(bytes, Typography::font(14, FontWeight::heavy, FontDesign::rounded),
                                     Typography::font(11, FontWeight::bold, FontDesign::rounded)));
        bytes = bytes * 2 / 5;
        rows->addLayout(line);
    }
    padding->addWidget(card);
    area->setWidget(content);
    new ActionBarFade(area, 80);
    return area;
}

std::unique_ptr<QWidget> widgetsSheet()
{
    auto [sheet, column] = canvas({1160, 1040}, Module::duplicates);
    column->addWidget(new TextLabel(QStringLiteral("Widgets"), Typography::title(), Palette::ink));

    column->addWidget(new SectionLabel(QStringLiteral("Chips and tags")));
    auto* chips = row(column, 8);
    for (const char* location : {"~/Library/Caches", "~/Library/Logs", "DerivedData"})
        chips->addWidget(new Chip(location, "folder.fill", Palette::inkSecondary, Palette::sunken));
    chips->addWidget(new Chip("3 of 12 picked", {}, ModuleTheme::of(Module::systemJunk).ink, Palette::card.withOpacity(0.7)));
    chips->addStretch();
    auto* tags = row(column, 6);
    for (ScanItem::Tag tag : allTags())
        tags->addWidget(new TagPill(tag));
    tags->addStretch();

    column->addWidget(new SectionLabel(QStringLiteral("Check boxes: off, on, mixed")));
    auto* boxes = row(column, 14);
    for (Module module : {Module::smartScan, Module::systemJunk, Module::uninstaller, Module::downloads})
        for (CheckState state : {CheckState::off, CheckState::on, CheckState::mixed})
            boxes->addWidget(new Checkbox(state, ModuleTheme::of(module).strong));
    boxes->addStretch();

    column->addWidget(new SectionLabel(QStringLiteral("Sizes")));
    auto* sizes = row(column, 28);
    for (std::int64_t bytes : {std::int64_t(0), std::int64_t(940), std::int64_t(12'400'000), std::int64_t(2'040'000'000'000)})
        sizes->addWidget(new SizeText(bytes, Typography::cardValue(), Typography::cardUnit()), 0, Qt::AlignBottom);
    sizes->addWidget(new SizeText(8LL << 30, Typography::font(18, FontWeight::heavy), Typography::font(11, FontWeight::bold),
                                  ByteFormat::Style::memory),
                     0, Qt::AlignBottom);
    sizes->addWidget(new SizeText(512'000'000'000, Typography::font(34, FontWeight::heavy, FontDesign::rounded),
                                  Typography::font(16, FontWeight::bold, FontDesign::rounded), ByteFormat::Style::file,
                                  ModuleTheme::of(Module::leftovers).ink),
                     0, Qt::AlignBottom);
    sizes->addStretch();

    column->addWidget(new SectionLabel(QStringLiteral("Progress: 0, 0.42, 1.5, no fraction")));
    auto* progress = row(column, 20);
    progress->addWidget(new ProgressCapsule(0.0, Palette::brand, 12));
    progress->addWidget(new ProgressCapsule(0.42, ModuleTheme::of(Module::developerJunk).strong, 12));
    progress->addWidget(new ProgressCapsule(1.5, ModuleTheme::of(Module::systemJunk).strong, 14));
    progress->addWidget(new ProgressCapsule(std::nullopt, ModuleTheme::of(Module::largeFiles).strong, 14));

    column->addWidget(new SectionLabel(QStringLiteral("Usage: 0.001 at height 8, 0.62, 0.95")));
    auto* usage = row(column, 20);
    usage->addWidget(new UsageBar(0.001, Palette::brand, 8));
    usage->addWidget(new UsageBar(0.62, Palette::brand, 7));
    usage->addWidget(new UsageBar(0.95, Palette::danger, 8));

    column->addWidget(new SectionLabel(QStringLiteral("Storage bars: typical; a 0-byte and a flexible segment; total 0")));
    const std::int64_t total = 494'000'000'000;
    column->addWidget(new StorageBar({{"systemJunk", "System Junk", 18'000'000'000, ModuleTheme::of(Module::systemJunk).strong},
                                      {"developerJunk", "Developer Junk", 41'000'000'000, ModuleTheme::of(Module::developerJunk).strong},
                                      {"trash", "Trash", 3'000'000'000, ModuleTheme::of(Module::trash).strong},
                                      {"other", "Everything else", 250'000'000'000, Palette::ink, true},
                                      {"free", "Free", 182'000'000'000, Palette::success}},
                                     total, 16));
    column->addWidget(new StorageBar({{"empty", "Empty", 0, Palette::brand}, {"other", "Used", 100, Palette::ink, true}}, 100, 16));
    column->addWidget(new StorageBar({{"a", "A", 1, Palette::brand}, {"b", "B", 2, Palette::success}}, 0, 16));

    column->addWidget(new SectionLabel(QStringLiteral("Labels and file icons")));
    auto* labels = row(column, 18);
    auto* warning = new TextLabel("Your Mac is almost full: only 8.2 GB left.", Typography::lead(), Palette::danger);
    warning->setSymbol("exclamationmark.triangle.fill");
    labels->addWidget(warning);
    auto* path = new TextLabel("~/Library/Developer/Xcode/DerivedData/Quillo-abcdefghijklmnop/Build/Intermediates.noindex",
                               Typography::path(), Palette::inkTertiary);
    path->setElideMode(Qt::ElideMiddle);
    path->setFixedWidth(300);
    labels->addWidget(path);
    labels->addWidget(new FileIcon(QDir::homePath(), 32));
    labels->addWidget(new FileIcon(QStringLiteral("/etc/hostname"), 32));
    labels->addWidget(new FileIcon(QStringLiteral("/nonexistent/file.dmg"), 32));
    labels->addStretch();

    column->addWidget(new SectionLabel(QStringLiteral("A card of rows scrolling under a fade")));
    column->addWidget(fadingList());
    column->addStretch();
    return std::move(sheet);
}

// A square in a colour, for bubbles meant to sit on a tint.
class Swatch : public QWidget {
public:
    Swatch(DynamicColor color, qreal radius, QSize size) : color_(color), radius_(radius) { setFixedSize(size); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(Shapes::roundedRect(rect(), radius_), color_.current());
    }

private:
    DynamicColor color_;
    qreal radius_;
};

std::unique_ptr<QWidget> bubblesSheet()
{
    auto [sheet, column] = canvas({1160, 720}, Module::downloads);
    column->addWidget(new TextLabel(QStringLiteral("Module bubbles"), Typography::title(), Palette::ink));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(22);
    grid->setVerticalSpacing(18);
    column->addLayout(grid);
    int c = 1;
    for (Module module : Module::allCases()) {
        auto* name = caption(text(module.title()));
        name->setAlignment(Qt::AlignHCenter);
        grid->addWidget(name, 0, c, Qt::AlignHCenter);
        grid->addWidget(new IconBubble(module, 24), 1, c, Qt::AlignCenter);
        grid->addWidget(new IconBubble(module, 46), 2, c, Qt::AlignCenter);
        grid->addWidget(new IconBubble(module, 84), 3, c, Qt::AlignCenter);
        auto* tint = new Swatch(ModuleTheme::of(module).tint, 20, {92, 92});
        auto* holder = new QVBoxLayout(tint);
        holder->addWidget(new IconBubble(module, 56, IconBubble::Style::onTint), 0, Qt::AlignCenter);
        grid->addWidget(tint, 4, c, Qt::AlignCenter);
        ++c;
    }
    grid->addWidget(caption("Filled 24"), 1, 0);
    grid->addWidget(caption("Filled 46"), 2, 0);
    grid->addWidget(caption("Filled 84"), 3, 0);
    grid->addWidget(caption("On tint 56"), 4, 0);
    column->addStretch();
    return std::move(sheet);
}

std::unique_ptr<QWidget> mascotSheet()
{
    auto [sheet, column] = canvas({1160, 620}, Module::smartScan);
    column->addWidget(new TextLabel(QStringLiteral("Mascot"), Typography::title(), Palette::ink));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(40);
    grid->setVerticalSpacing(26);
    column->addLayout(grid);
    const std::pair<Mascot::Mood, QString> moods[] = {
        {Mascot::Mood::happy, "Happy"}, {Mascot::Mood::busy, "Busy"}, {Mascot::Mood::delighted, "Delighted"}};
    const QString headings[] = {"Open, 100", "Mid-blink, 100", "72", "48", "30"};
    for (int i = 0; i < 5; ++i)
        grid->addWidget(new SectionLabel(headings[i]), 0, i + 1, Qt::AlignHCenter);
    int r = 1;
    for (const auto& [mood, name] : moods) {
        grid->addWidget(caption(name), r, 0);
        const qreal sizes[] = {100, 100, 72, 48, 30};
        for (int i = 0; i < 5; ++i) {
            auto* mascot = new Mascot(mood, sizes[i]);
            if (i == 1)
                mascot->setBlinking(true);
            Overflow::addWidget(grid, mascot, r, i + 1, mascot->overflowMargins(), Qt::AlignCenter);
        }
        ++r;
    }
    column->addStretch();
    return std::move(sheet);
}

class ColorRow : public QWidget {
public:
    ColorRow(QString name, DynamicColor color) : name_(std::move(name)), color_(color) { setFixedSize(250, 30); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(Shapes::roundedRect(QRectF(0, 2, 40, 26), 8), color_.current());
        painter.strokePath(Shapes::roundedRect(QRectF(0.5, 2.5, 39, 25), 7.5), QPen(Palette::hairline.current(), 1));
        painter.setPen(Palette::ink.current());
        painter.setFont(Typography::body());
        painter.drawText(QPointF(52, 20), name_);
    }

private:
    QString name_;
    DynamicColor color_;
};

std::unique_ptr<QWidget> paletteSheet()
{
    auto [sheet, column] = canvas({1160, 900}, Module::leftovers);
    column->addWidget(new TextLabel(QStringLiteral("Palette, type and symbols"), Typography::title(), Palette::ink));
    auto* top = row(column, 40);
    auto* colors = new QGridLayout;
    const std::pair<const char*, DynamicColor> palette[] = {
        {"canvas", Palette::canvas},           {"card", Palette::card},        {"sunken", Palette::sunken},
        {"ink", Palette::ink},                 {"inkSecondary", Palette::inkSecondary},
        {"inkTertiary", Palette::inkTertiary}, {"hairline", Palette::hairline}, {"shadow", Palette::shadow},
        {"brand", Palette::brand},             {"success", Palette::success},   {"successTint", Palette::successTint},
        {"warning", Palette::warning},         {"warningTint", Palette::warningTint},
        {"danger", Palette::danger}};
    int i = 0;
    for (const auto& [name, color] : palette) {
        colors->addWidget(new ColorRow(name, color), i % 7, i / 7);
        ++i;
    }
    top->addLayout(colors);
    auto* type = new QVBoxLayout;
    type->setSpacing(4);
    const std::pair<const char*, const QFont*> scale[] = {
        {"Hero 30 heavy rounded", &Typography::hero()},   {"Display 28", &Typography::display()},
        {"Title 24", &Typography::title()},               {"Card title 15 bold", &Typography::cardTitle()},
        {"Lead 14.5 medium rounded", &Typography::lead()}, {"Body 13 regular", &Typography::body()},
        {"Caption 11.5 medium", &Typography::caption()},   {"Section 13 bold rounded", &Typography::section()},
        {"~/Library/Caches/com.example.app — path 11 mono", &Typography::path()}};
    for (const auto& [sample, font] : scale)
        type->addWidget(new TextLabel(sample, *font, Palette::ink));
    top->addLayout(type, 1);

    column->addWidget(new SectionLabel(QStringLiteral("Module themes: strong, on strong, tint, ink")));
    auto* themes = row(column, 10);
    for (Module module : Module::allCases()) {
        const ModuleTheme theme = ModuleTheme::of(module);
        auto* tile = new Swatch(theme.tint, 14, {100, 64});
        auto* inside = new QVBoxLayout(tile);
        inside->setContentsMargins(8, 6, 8, 6);
        auto* pill = new PillButton("Aa", theme.strong, theme.onStrong, ButtonSize::small);
        inside->addWidget(pill, 0, Qt::AlignLeft);
        inside->addWidget(new TextLabel(text(module.rawValue()), Typography::caption(), theme.ink));
        themes->addWidget(tile);
        tile->setToolTip(text(module.title()));
    }
    themes->addStretch();

    column->addWidget(new SectionLabel(QStringLiteral("Symbols")));
    auto* symbols = new QGridLayout;
    symbols->setHorizontalSpacing(10);
    symbols->setVerticalSpacing(10);
    const char* names[] = {"sparkles", "gearshape.2.fill", "hammer.fill", "trash.fill", "xmark.bin.fill",
                           "sparkle.magnifyingglass", "shippingbox.fill", "doc.on.doc.fill",
                           "tray.and.arrow.down.fill", "iphone", "internaldrive.fill", "checkmark", "minus",
                           "folder.fill", "magnifyingglass", "xmark", "arrow.right", "arrow.right.circle.fill",
                           "lock.fill", "exclamationmark.triangle.fill", "exclamationmark.circle.fill",
                           "checkmark.circle.fill", "gearshape.fill", "memorychip.fill"};
    i = 0;
    for (const char* name : names) {
        auto* label = new TextLabel(name, Typography::caption(), Palette::ink);
        label->setSymbol(name, 8);
        symbols->addWidget(label, i / 4, i % 4);
        ++i;
    }
    column->addLayout(symbols);
    column->addStretch();
    return std::move(sheet);
}

// A home-screen-like page, to judge the pieces together; the largest sheet.
std::unique_ptr<QWidget> compositionSheet()
{
    auto [sheet, column] = canvas({1160, 780}, Module::smartScan);
    column->setSpacing(22);
    auto* header = row(column, 18);
    auto* mascot = new Mascot(Mascot::Mood::happy, 72);
    Overflow::addWidget(header, mascot, mascot->overflowMargins());
    auto* titles = new QVBoxLayout;
    titles->setSpacing(6);
    titles->addWidget(new TextLabel("Let's make some room", Typography::hero(), Palette::ink));
    titles->addWidget(new TextLabel("182 GB free. A quick tidy keeps it that way.", Typography::lead(), Palette::inkSecondary));
    header->addLayout(titles);
    header->addStretch();
    auto* scan = new PillButton("Scan my Mac", Palette::brand);
    scan->setSymbol("sparkles");
    header->addWidget(scan);

    auto* storage = new Card(22);
    auto* inside = new QVBoxLayout(storage);
    inside->setContentsMargins(20, 20, 20, 20);
    inside->setSpacing(14);
    auto* first = new QHBoxLayout;
    auto* volume = new TextLabel("Macintosh HD", Typography::cardTitle(), Palette::ink);
    volume->setSymbol("internaldrive.fill", 6);
    first->addWidget(volume);
    first->addStretch();
    first->addWidget(new TextLabel("182 GB free of 494.38 GB", Typography::font(13, FontWeight::bold, FontDesign::rounded),
                                   Palette::inkSecondary));
    inside->addLayout(first);
    const std::vector<StorageSegment> segments = {
        {"systemJunk", "System Junk", 18'000'000'000, ModuleTheme::of(Module::systemJunk).strong},
        {"developerJunk", "Developer Junk", 41'000'000'000, ModuleTheme::of(Module::developerJunk).strong},
        {"trash", "Trash", 3'000'000'000, ModuleTheme::of(Module::trash).strong},
        {"other", "Everything else", 250'000'000'000, Palette::ink, true},
        {"free", "Free", 182'000'000'000, Palette::success}};
    inside->addWidget(new StorageBar(segments, 494'000'000'000, 16));
    auto* legend = new QHBoxLayout;
    legend->setSpacing(8);
    for (const StorageSegment& segment : segments)
        legend->addWidget(new Chip(segment.label + "  " + ByteFormat::string(segment.bytes, ByteFormat::Style::file), {},
                                   Palette::inkSecondary, Palette::sunken));
    legend->addStretch();
    inside->addLayout(legend);
    column->addWidget(storage);

    column->addWidget(new SectionLabel("Ready to clean"));
    auto* cards = row(column, 16);
    cards->addWidget(moduleCard(Module::systemJunk, 18'000'000'000));
    cards->addWidget(moduleCard(Module::developerJunk, 41'000'000'000));
    cards->addWidget(moduleCard(Module::trash, 3'000'000'000));

    column->addWidget(new SectionLabel("Go deeper"));
    auto* deeper = new QGridLayout;
    deeper->setSpacing(16);
    const Module deeperModules[] = {Module::uninstaller, Module::leftovers, Module::largeFiles,
                                    Module::duplicates, Module::downloads, Module::iosBackups};
    for (int i = 0; i < 6; ++i)
        deeper->addWidget(deeperCard(deeperModules[i], i == 2 ? std::optional<std::int64_t>(3'200'000'000) : std::nullopt),
                          i / 3, i % 3);
    column->addLayout(deeper);
    column->addStretch();
    return std::move(sheet);
}

} // namespace

std::vector<Sheet> all()
{
    return {{"composition", compositionSheet}, {"buttons", buttonsSheet}, {"widgets", widgetsSheet},
            {"bubbles", bubblesSheet},         {"mascot", mascotSheet},   {"palette", paletteSheet}};
}

QImage render(QWidget& sheet, qreal devicePixelRatio)
{
    sheet.setAttribute(Qt::WA_DontShowOnScreen);
    sheet.show();
    QApplication::processEvents();
    applyStates(sheet);
    QApplication::processEvents();
    QImage image(sheet.size() * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    sheet.render(&painter);
    return image;
}

} // namespace GallerySheets
