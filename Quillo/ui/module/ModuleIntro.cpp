#include "ui/module/ModuleIntro.h"

#include <QPainter>
#include <QVBoxLayout>

#include "ui/design/Chip.h"
#include "ui/design/IconBubble.h"
#include "ui/design/ModuleTheme.h"
#include "ui/design/Palette.h"
#include "ui/design/PillButton.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"
#include "ui/mascot/MascotShapes.h"
#include "ui/module/ModuleTexts.h"

namespace {

// The module's bubble on a 190-wide tinted circle, three sparkles around it.
class IntroCluster : public QWidget {
public:
    static constexpr int side = 200;

    explicit IntroCluster(Module module, QWidget* parent = nullptr) : QWidget(parent), module_(module)
    {
        setFixedSize(side, side);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        auto* bubble = new IconBubble(module, 100, IconBubble::Style::filled, this);
        bubble->setGeometry((side - 100) / 2, (side - 100) / 2, 100, 100);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        struct Sparkle {
            qreal size;
            qreal opacity;
            QPointF offset;
        };
        static constexpr Sparkle sparkles[] = {{24, 0.55, {82, -72}}, {14, 0.35, {-88, 56}}, {10, 0.4, {-62, -84}}};
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const ModuleTheme theme = ModuleTheme::of(module_);
        const QPointF centre = QRectF(rect()).center();
        painter.setPen(Qt::NoPen);
        painter.setBrush(theme.tint.current());
        painter.drawEllipse(centre, 95, 95);
        for (const Sparkle& sparkle : sparkles) {
            QColor colour = theme.strong;
            colour.setAlphaF(sparkle.opacity);
            const QPointF middle = centre + sparkle.offset;
            const QRectF box(middle - QPointF(sparkle.size / 2, sparkle.size / 2), QSizeF(sparkle.size, sparkle.size));
            painter.fillPath(MascotShapes::sparkle(box), colour);
        }
    }

private:
    Module module_;
};

} // namespace

ModuleIntro::ModuleIntro(Module module, QWidget* parent) : QWidget(parent)
{
    const ModuleTheme theme = ModuleTheme::of(module);
    scan_ = new PillButton(ModuleTexts::scanButton(module), theme.strong, theme.onStrong, ButtonSize::large);
    scan_->setSymbol(QStringLiteral("magnifyingglass"));
    scan_->setDefault(true);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(32, 0, 32, 24);
    column->setSpacing(22);
    column->addStretch();
    column->addWidget(new IntroCluster(module), 0, Qt::AlignHCenter);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(10);
    auto* headline = new TextLabel(ModuleTexts::catalogue(module.headline()), Typography::display(), Palette::ink);
    headline->setAlignment(Qt::AlignHCenter);
    texts->addWidget(headline, 0, Qt::AlignHCenter);
    auto* explanation =
        new TextLabel(ModuleTexts::catalogue(module.explanation()), Typography::lead(), Palette::inkSecondary);
    explanation->setAlignment(Qt::AlignHCenter);
    explanation->setWordWrap(2, 470);
    explanation->setMaximumWidth(470);
    texts->addWidget(explanation, 0, Qt::AlignHCenter);
    column->addLayout(texts);
    auto* chips = new QHBoxLayout;
    chips->setSpacing(8);
    chips->addStretch();
    for (std::string_view location : module.locations())
        chips->addWidget(new Chip(ModuleTexts::catalogue(location), QStringLiteral("folder.fill"), Palette::inkSecondary,
                                  Palette::sunken));
    chips->addStretch();
    column->addLayout(chips);
    column->addWidget(scan_, 0, Qt::AlignHCenter);
    column->addStretch();
    connect(scan_, &QAbstractButton::clicked, this, &ModuleIntro::scanClicked);
}
