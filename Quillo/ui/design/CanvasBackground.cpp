#include "ui/design/CanvasBackground.h"

#include <cmath>

#include <QHash>
#include <QPaintEvent>
#include <QPainter>

#include "ui/design/DropShadow.h"
#include "ui/design/ModuleTheme.h"
#include "ui/design/Motion.h"
#include "ui/design/Palette.h"
#include "ui/design/Shadow.h"

namespace {

constexpr qreal washDiameter = 560;
constexpr qreal washBlur = 100;
// From the circle's place in the top-trailing corner.
constexpr QPointF washOffset(200, -280);
// Blurred at a quarter of the size: a blur this wide has no detail to lose.
constexpr int washReduction = 4;

// The blurred disc in `color`, with room around it for the blur, cached per colour and ratio.
// Kept as an image: it outlives the application object, which pixmaps may not.
QImage washImage(const QColor& color, qreal devicePixelRatio)
{
    static QHash<QString, QImage> cache;
    const QString key = QStringLiteral("%1/%2").arg(color.rgba(), 8, 16).arg(devicePixelRatio);
    if (auto found = cache.constFind(key); found != cache.constEnd())
        return found.value();
    const qreal margin = Shadow::spread(washBlur);
    const qreal side = washDiameter + 2 * margin;
    const int small = int(std::ceil(side / washReduction));
    QImage disc(small, small, QImage::Format_Alpha8);
    disc.fill(0);
    {
        QPainter painter(&disc);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        const qreal inset = margin / washReduction;
        painter.drawEllipse(QRectF(inset, inset, washDiameter / washReduction, washDiameter / washReduction));
    }
    const QImage blurred = Shadow::blurredAlpha(disc, washBlur / washReduction);
    const int pixels = int(std::ceil(side * devicePixelRatio));
    QImage image = Shadow::tinted(blurred.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), color);
    image.setDevicePixelRatio(devicePixelRatio);
    // Two modules' washes are shown at most at once; keep a few colours and ratios, no more.
    if (cache.size() > 8)
        cache.clear();
    cache.insert(key, image);
    return image;
}

} // namespace

CanvasBackground::CanvasBackground(std::optional<Module> module, QWidget* parent)
    : QWidget(parent), module_(module), motion_(new Motion(this, [this](qreal v) { setFade(v); }, 1))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    DropShadow::markAsSurface(this);
}

void CanvasBackground::setModule(std::optional<Module> module)
{
    if (module == module_)
        return;
    previous_ = module_;
    module_ = module;
    motion_->jumpTo(0);
    motion_->animateTo(1, Timing::easeInOut(0.5));
}

void CanvasBackground::setFade(qreal fade)
{
    if (fade == fade_)
        return;
    fade_ = fade;
    update();
}

void CanvasBackground::paintWash(QPainter& painter, Module module, qreal opacity) const
{
    if (opacity <= 0)
        return;
    const QImage wash = washImage(ModuleTheme::of(module).tint.current(), devicePixelRatioF());
    const qreal margin = Shadow::spread(washBlur);
    const QPointF discTopLeft(width() - washDiameter + washOffset.x(), washOffset.y());
    painter.setOpacity(opacity);
    painter.drawImage(discTopLeft - QPointF(margin, margin), wash);
}

void CanvasBackground::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Palette::canvas.current());
    if (previous_ && fade_ < 1)
        paintWash(painter, *previous_, 1 - fade_);
    if (module_)
        paintWash(painter, *module_, fade_);
}
