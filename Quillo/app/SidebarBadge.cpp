#include "app/SidebarBadge.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

#include "foundation/ByteFormat.h"
#include "store/CleanerStore.h"
#include "ui/design/FrameThrottle.h"
#include "ui/design/ModuleTheme.h"
#include "ui/design/Shapes.h"
#include "ui/design/Spinner.h"
#include "ui/design/Typography.h"

namespace {

const QFont& badgeFont()
{
    static const QFont font = Typography::font(11, FontWeight::bold, FontDesign::rounded);
    return font;
}

constexpr qreal padX = 7;
constexpr qreal padY = 2;
constexpr int spinnerSide = 12;

} // namespace

SidebarBadge::SidebarBadge(CleanerStore& store, Module module, QWidget* parent)
    : QWidget(parent), store_(store), module_(module),
      spinner_(new Spinner(spinnerSide, ModuleTheme::of(module).ink, this)),
      throttle_(new FrameThrottle(this, [this] { refresh(); }))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // A spinner turns while it is visible, shown or not: it is hidden until the module works.
    spinner_->hide();
    const auto targets = module.scanTargets();
    auto later = [this, targets](Module changed) {
        if (changed == module_ || std::find(targets.begin(), targets.end(), changed) != targets.end())
            throttle_->request();
    };
    connect(&store_, &CleanerStore::phaseChanged, this, later);
    connect(&store_, &CleanerStore::resultChanged, this, later);
    connect(&store_, &CleanerStore::liveFoundChanged, this, later);
    refresh();
}

SidebarBadge::Shown SidebarBadge::shownFor(const CleanerStore& store, Module module)
{
    switch (store.phase(module).kind()) {
    case ScanPhase::Kind::idle:
        return Shown::nothing;
    case ScanPhase::Kind::scanning:
    case ScanPhase::Kind::cleaning:
        return Shown::spinner;
    case ScanPhase::Kind::ready:
    case ScanPhase::Kind::cleaned:
        break;
    }
    return store.foundBytes(module) >= 1 ? Shown::figure : Shown::nothing;
}

void SidebarBadge::refresh()
{
    const Shown shown = shownFor(store_, module_);
    const QString text = shown == Shown::figure ? ByteFormat::string(store_.foundBytes(module_), ByteFormat::Style::file)
                                                : QString();
    if (shown == shown_ && text == text_)
        return;
    shown_ = shown;
    text_ = text;
    digits_ = MonospacedDigits(text_, badgeFont());
    capsule_ = {std::ceil(digits_.width() + 2 * padX), std::ceil(QFontMetricsF(badgeFont()).height() + 2 * padY)};
    spinner_->setVisible(shown == Shown::spinner);
    updateGeometry();
    update();
}

QSize SidebarBadge::sizeHint() const
{
    switch (shown_) {
    case Shown::nothing:
        return {0, spinnerSide};
    case Shown::spinner:
        return {spinnerSide, spinnerSide};
    case Shown::figure:
        break;
    }
    return capsule_.toSize();
}

void SidebarBadge::paintEvent(QPaintEvent*)
{
    if (shown_ != Shown::figure)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ModuleTheme theme = ModuleTheme::of(module_);
    const QRectF capsule(QPointF(0, (height() - capsule_.height()) / 2), capsule_);
    painter.fillPath(Shapes::capsule(capsule), theme.tint.current());
    painter.setPen(theme.ink.current());
    const QFontMetricsF metrics(badgeFont());
    digits_.draw(painter, {capsule.left() + padX, capsule.center().y() + (metrics.ascent() - metrics.descent()) / 2});
}
