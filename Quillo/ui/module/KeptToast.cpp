#include "ui/module/KeptToast.h"

#include <algorithm>

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QPainter>

#include "ui/design/Motion.h"
#include "ui/design/Palette.h"
#include "ui/design/Shapes.h"
#include "ui/design/SoftButton.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"

KeptToast::KeptToast(QWidget* parent)
    : QWidget(parent), text_(new TextLabel(QString(), Typography::font(13, FontWeight::semibold), Palette::ink)),
      undo_(new SoftButton(tr("Undo"), ButtonSize::small)),
      motion_(new Motion(this, [this](qreal value) { setShown(value); }))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(18, 6, 6, 6);
    row->setSpacing(12);
    text_->setSymbol(QStringLiteral("lock.fill"));
    text_->setElideMode(Qt::ElideMiddle);
    text_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    row->addWidget(text_, 1);
    row->addWidget(undo_);
    linger_.setSingleShot(true);
    connect(&linger_, &QTimer::timeout, this, &KeptToast::dismiss);
    connect(undo_, &QAbstractButton::clicked, this, [this] {
        Q_EMIT undoRequested(entry_);
        dismiss();
    });
    hide();
}

void KeptToast::showFor(const QString& name, const std::string& entry)
{
    entry_ = entry;
    text_->setText(tr("“%1” will never be cleaned").arg(name));
    setAccessibleName(text_->text());
    raise();
    motion_->animateTo(1, Timing::spring(0.3, 1.0));
    linger_.start(lingerMs);
}

void KeptToast::dismiss()
{
    linger_.stop();
    motion_->animateTo(0, Timing::easeIn(0.2));
}

void KeptToast::setShown(qreal shown)
{
    shown_ = shown;
    setVisible(shown > 0);
    if (shown >= 1) {
        setGraphicsEffect(nullptr);
        return;
    }
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(graphicsEffect());
    if (!effect) {
        effect = new QGraphicsOpacityEffect(this);
        setGraphicsEffect(effect);
    }
    effect->setOpacity(std::clamp<qreal>(shown, 0, 1));
}

const QString& KeptToast::text() const
{
    return text_->text();
}

QSize KeptToast::sizeHint() const
{
    return {420, layout()->sizeHint().height()};
}

void KeptToast::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    linger_.stop();
}

void KeptToast::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (shown_ > 0)
        linger_.start(lingerMs / 2);
}

void KeptToast::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = rect();
    painter.fillPath(Shapes::capsule(body), Palette::card.current());
    painter.strokePath(Shapes::capsule(body.adjusted(0.5, 0.5, -0.5, -0.5)), QPen(Palette::hairline.current(), 1));
}
