#include "ui/module/CleaningOverlay.h"

#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QPainter>
#include <QVBoxLayout>

#include "ui/design/Card.h"
#include "ui/design/Motion.h"
#include "ui/design/Overflow.h"
#include "ui/design/Palette.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"
#include "ui/mascot/Mascot.h"

CleaningOverlay::CleaningOverlay(QWidget* covered)
    : QWidget(covered), covered_(covered), motion_(new Motion(this, [this](qreal v) { setShown(v); }))
{
    setFocusPolicy(Qt::StrongFocus);
    auto* centre = new QVBoxLayout(this);
    auto* card = new Card(24);
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(28, 28, 28, 28);
    column->setSpacing(12);
    auto* mascot = new Mascot(Mascot::Mood::busy, 64);
    Overflow::addWidget(column, mascot, mascot->overflowMargins(), Qt::AlignHCenter);
    auto* label = new TextLabel(tr("Tidying up…"), Typography::font(16, FontWeight::heavy), Palette::ink);
    column->addWidget(label, 0, Qt::AlignHCenter);
    centre->addWidget(card, 0, Qt::AlignCenter);
    setAccessibleName(label->text());
    covered_->installEventFilter(this);
    setGeometry(covered_->rect());
    hide();
}

bool CleaningOverlay::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Resize)
        setGeometry(covered_->rect());
    return false;
}

void CleaningOverlay::present(bool on)
{
    if (on) {
        setGeometry(covered_->rect());
        show();
        raise();
        setFocus(Qt::OtherFocusReason);
    }
    motion_->animateTo(on ? 1 : 0, Timing::easeOut(0.2));
}

void CleaningOverlay::setShown(qreal shown)
{
    shown_ = shown;
    if (shown_ <= 0) {
        hide();
        return;
    }
    if (shown_ >= 1) {
        setGraphicsEffect(nullptr);
    } else {
        auto* effect = qobject_cast<QGraphicsOpacityEffect*>(graphicsEffect());
        if (!effect) {
            effect = new QGraphicsOpacityEffect(this);
            setGraphicsEffect(effect);
        }
        effect->setOpacity(shown_);
    }
}

void CleaningOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Palette::canvas.withOpacity(0.6).current());
}
