#include "ui/design/CrossFade.h"

#include <QGraphicsOpacityEffect>

#include "ui/design/DropShadow.h"
#include "ui/design/Motion.h"

CrossFade::CrossFade(QWidget* parent)
    : QWidget(parent), motion_(new Motion(this, [this](qreal v) { setFade(v); }, 1))
{
}

void CrossFade::setCurrent(QWidget* page, const Timing& timing, qreal drop)
{
    drop_ = drop;
    // A page still fading out when the next change comes goes at once.
    delete leaving_;
    leaving_ = current_;
    current_ = page;
    if (page) {
        page->setParent(this);
        DropShadow::markAsSurface(page);
        page->setGeometry(rect());
        page->show();
        page->raise();
    }
    updateGeometry();
    motion_->jumpTo(0);
    motion_->animateTo(1, timing);
}

void CrossFade::setOpacity(QWidget* page, qreal opacity)
{
    if (!page)
        return;
    // An effect renders its page off screen on every frame: it is there only while fading.
    if (opacity >= 1) {
        page->setGraphicsEffect(nullptr);
        return;
    }
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(page->graphicsEffect());
    if (!effect) {
        effect = new QGraphicsOpacityEffect(page);
        page->setGraphicsEffect(effect);
    }
    effect->setOpacity(opacity);
}

void CrossFade::setFade(qreal fade)
{
    fade_ = fade;
    if (fade_ >= 1) {
        delete leaving_;
        setOpacity(current_, 1);
        place(current_, 1);
        return;
    }
    setOpacity(current_, fade_);
    setOpacity(leaving_, 1 - fade_);
    place(current_, fade_);
    place(leaving_, 1 - fade_);
}

void CrossFade::place(QWidget* page, qreal visibility)
{
    if (page)
        page->setGeometry(rect().translated(0, qRound(drop_ * (1 - visibility))));
}

QSize CrossFade::sizeHint() const
{
    return current_ ? current_->sizeHint() : QSize(0, 0);
}

QSize CrossFade::minimumSizeHint() const
{
    return current_ ? current_->minimumSizeHint() : QSize(0, 0);
}

void CrossFade::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    place(current_, fade_);
    place(leaving_, 1 - fade_);
}
