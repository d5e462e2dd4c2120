#include "ui/home/ProgressReadout.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

#include "ui/design/Palette.h"
#include "ui/design/ProgressCapsule.h"
#include "ui/design/Typography.h"

namespace {

constexpr int barWidth = 220;
constexpr int barHeight = 12;
constexpr int spacing = 6;

const QFont& labelFont()
{
    static const QFont font = Typography::font(13, FontWeight::bold);
    return font;
}

int labelHeight()
{
    return int(std::ceil(QFontMetricsF(labelFont()).height()));
}

} // namespace

ProgressReadout::ProgressReadout(const QString& label, std::optional<qreal> fraction, QWidget* parent)
    : QWidget(parent), bar_(new ProgressCapsule(fraction, Palette::brand, barHeight, this))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    set(label, fraction);
}

void ProgressReadout::set(const QString& label, std::optional<qreal> fraction)
{
    if (label != label_.text()) {
        const QSize before = sizeHint();
        label_ = MonospacedDigits(label, labelFont());
        setAccessibleName(label);
        if (sizeHint() != before)
            updateGeometry();
        update();
    }
    bar_->setFraction(fraction);
}

QSize ProgressReadout::sizeHint() const
{
    return {std::max(barWidth, int(std::ceil(label_.width()))), labelHeight() + spacing + barHeight};
}

void ProgressReadout::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    bar_->setGeometry(width() - barWidth, labelHeight() + spacing, barWidth, barHeight);
}

void ProgressReadout::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Palette::ink.current());
    const QFontMetricsF metrics(labelFont());
    label_.draw(painter, QPointF(width() - label_.width(), metrics.ascent()));
}
