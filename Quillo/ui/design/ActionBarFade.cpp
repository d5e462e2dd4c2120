#include "ui/design/ActionBarFade.h"

#include <cmath>

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

#include "ui/design/Palette.h"

ActionBarFade::ActionBarFade(QWidget* covered, qreal height) : QWidget(covered), covered_(covered), height_(height)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    covered_->installEventFilter(this);
    follow();
}

bool ActionBarFade::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::ChildAdded)
        follow();
    return false;
}

void ActionBarFade::follow()
{
    const int strip = int(std::ceil(height_));
    setGeometry(0, covered_->height() - strip, covered_->width(), strip);
    // Children added later would otherwise cover the fade.
    raise();
}

void ActionBarFade::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QColor canvas = Palette::canvas.current();
    QLinearGradient fade(0, 0, 0, height());
    canvas.setAlpha(0);
    fade.setColorAt(0, canvas);
    canvas.setAlpha(255);
    fade.setColorAt(1, canvas);
    painter.fillRect(rect(), fade);
}
