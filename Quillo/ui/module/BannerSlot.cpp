#include "ui/module/BannerSlot.h"

#include <cmath>

#include <QGraphicsOpacityEffect>

#include "ui/design/Motion.h"

BannerSlot::BannerSlot(int sideMargin, QWidget* parent)
    : QWidget(parent), sideMargin_(sideMargin), motion_(new Motion(this, [this](qreal v) { setOpen(v); }))
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void BannerSlot::setBanner(QWidget* banner)
{
    if (banner == banner_)
        return;
    delete leaving_;
    if (banner) {
        delete banner_;
        banner_ = banner;
        banner_->setParent(this);
        banner_->show();
        motion_->jumpTo(0);
        motion_->animateTo(1, Timing::spring(0.5, 1.0));
    } else {
        leaving_ = banner_;
        banner_ = leaving_;
        motion_->animateTo(0, Timing::spring(0.5, 1.0));
    }
}

int BannerSlot::bannerHeight() const
{
    if (!banner_)
        return 0;
    const int width = std::max(0, this->width() - 2 * sideMargin_);
    return banner_->hasHeightForWidth() ? banner_->heightForWidth(width) : banner_->sizeHint().height();
}

QSize BannerSlot::sizeHint() const
{
    return {0, int(std::lround(bannerHeight() * open_))};
}

void BannerSlot::setOpen(qreal open)
{
    open_ = open;
    if (open_ <= 0 && leaving_) {
        delete leaving_;
        banner_ = nullptr;
    }
    if (banner_) {
        if (open_ >= 1) {
            banner_->setGraphicsEffect(nullptr);
        } else {
            auto* effect = qobject_cast<QGraphicsOpacityEffect*>(banner_->graphicsEffect());
            if (!effect) {
                effect = new QGraphicsOpacityEffect(banner_);
                banner_->setGraphicsEffect(effect);
            }
            effect->setOpacity(std::clamp<qreal>(open_, 0, 1));
        }
    }
    updateGeometry();
    place();
}

void BannerSlot::place()
{
    if (!banner_)
        return;
    const int height = bannerHeight();
    const int shown = int(std::lround(height * open_));
    banner_->setGeometry(sideMargin_, shown - height, std::max(0, width() - 2 * sideMargin_), height);
}

void BannerSlot::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    place();
    updateGeometry();
}
