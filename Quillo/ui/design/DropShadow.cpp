#include "ui/design/DropShadow.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QPainter>

#include "ui/design/Shadow.h"

namespace {

constexpr char surfaceProperty[] = "quilloShadowSurface";

bool isScrollContent(const QWidget* widget)
{
    const QWidget* viewport = widget->parentWidget();
    if (!viewport)
        return false;
    const auto* area = qobject_cast<const QAbstractScrollArea*>(viewport->parentWidget());
    return area && area->viewport() == viewport;
}

bool isVisibleLayer(const ShadowLayer& layer)
{
    return layer.opacity > 0 && (qAlpha(layer.color.light()) > 0 || qAlpha(layer.color.dark()) > 0);
}

} // namespace

DropShadow::DropShadow(QWidget* caster) : QWidget(nullptr), caster_(caster)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    caster_->installEventFilter(this);
    // Deleted with the caster even though it lives in another parent.
    connect(caster_, &QObject::destroyed, this, [this] {
        detach();
        hide();
        deleteLater();
    });
}

DropShadow::~DropShadow()
{
    detach();
}

void DropShadow::markAsSurface(QWidget* widget)
{
    widget->setProperty(surfaceProperty, true);
}

void DropShadow::setShape(const QRectF& body, qreal cornerRadius, std::vector<ShadowLayer> layers)
{
    body_ = body;
    cornerRadius_ = cornerRadius;
    layers_ = std::move(layers);
    follow();
    update();
}

QWidget* DropShadow::findSurface() const
{
    if (!caster_)
        return nullptr;
    for (QWidget* widget = caster_->parentWidget(); widget; widget = widget->parentWidget())
        if (widget->isWindow() || widget->property(surfaceProperty).toBool() || isScrollContent(widget))
            return widget;
    return nullptr;
}

void DropShadow::attach()
{
    QWidget* surface = findSurface();
    if (surface == surface_)
        return;
    detach();
    surface_ = surface;
    if (!surface_)
        return;
    setParent(surface_);
    for (QWidget* widget = caster_; widget && widget != surface_; widget = widget->parentWidget()) {
        if (widget != caster_)
            widget->installEventFilter(this);
        watched_.emplace_back(widget);
    }
}

void DropShadow::detach()
{
    for (const QPointer<QWidget>& widget : watched_)
        if (widget && widget != caster_)
            widget->removeEventFilter(this);
    watched_.clear();
}

bool DropShadow::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ParentChange:
    case QEvent::Show:
        attach();
        follow();
        restack();
        break;
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
        follow();
        break;
    default:
        break;
    }
    return false;
}

// Places the companion over the shadow's reach in the surface, right under the caster's branch.
void DropShadow::follow()
{
    if (!surface_)
        attach();
    const bool shown = caster_ && surface_ && caster_->isVisibleTo(surface_) && surface_->isVisible() &&
                       std::any_of(layers_.begin(), layers_.end(), isVisibleLayer);
    if (!shown) {
        hide();
        return;
    }
    QRectF reach = body_;
    for (const ShadowLayer& layer : layers_)
        reach |= body_.marginsAdded(Shadow::extent({QColor(), layer.radius, layer.offset}));
    const QPoint origin = caster_->mapTo(surface_, QPoint(0, 0));
    const QRect area = reach.translated(origin).toAlignedRect();
    bodyInSelf_ = body_.translated(origin - area.topLeft());
    setGeometry(area);
    if (isHidden()) {
        show();
        restack();
    }
}

void DropShadow::restack()
{
    if (!caster_ || !surface_ || parentWidget() != surface_)
        return;
    QWidget* branch = caster_;
    while (branch->parentWidget() && branch->parentWidget() != surface_)
        branch = branch->parentWidget();
    if (branch->parentWidget() == surface_)
        stackUnder(branch);
}

void DropShadow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (const ShadowLayer& layer : layers_) {
        if (!isVisibleLayer(layer))
            continue;
        painter.setOpacity(std::min<qreal>(layer.opacity, 1));
        Shadow::paintRoundedRect(painter, bodyInSelf_, cornerRadius_, {layer.color.current(), layer.radius, layer.offset});
    }
}
