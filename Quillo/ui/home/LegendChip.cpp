#include "ui/home/LegendChip.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

#include "foundation/ByteFormat.h"
#include "ui/design/Palette.h"
#include "ui/design/Shapes.h"
#include "ui/design/Typography.h"

namespace {

constexpr qreal dot = 8;
constexpr qreal spacing = 6;
constexpr qreal horizontalPadding = 10;
constexpr qreal verticalPadding = 5;
constexpr int chipSpacing = 8;

const QFont& chipFont()
{
    static const QFont font = Typography::font(11.5, FontWeight::semibold, FontDesign::rounded);
    return font;
}

} // namespace

LegendChip::LegendChip(const StorageSegment& segment, QWidget* parent)
    : QWidget(parent), segment_(segment),
      bytes_(ByteFormat::string(segment.bytes, ByteFormat::Style::file), chipFont()),
      labelWidth_(QFontMetricsF(chipFont()).horizontalAdvance(segment.label))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(segment.label + QStringLiteral(", ") + bytes_.text());
}

QSize LegendChip::sizeHint() const
{
    const qreal width = horizontalPadding + dot + spacing + labelWidth_ + spacing + bytes_.width() + horizontalPadding;
    return {int(std::ceil(width)), int(std::ceil(QFontMetricsF(chipFont()).height() + 2 * verticalPadding))};
}

void LegendChip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(Shapes::capsule(rect()), Palette::sunken.current());
    const QFontMetricsF metrics(chipFont());
    const qreal middle = height() / 2.0;
    qreal x = horizontalPadding;
    painter.setPen(Qt::NoPen);
    painter.setBrush(segment_.color.current());
    painter.drawEllipse(QRectF(x, middle - dot / 2, dot, dot));
    x += dot + spacing;
    const qreal baseline = middle + metrics.capHeight() / 2;
    painter.setFont(chipFont());
    painter.setPen(Palette::inkSecondary.current());
    painter.drawText(QPointF(x, baseline), segment_.label);
    x += labelWidth_ + spacing;
    painter.setPen(Palette::ink.current());
    bytes_.draw(painter, QPointF(x, baseline));
}

LegendRow::LegendRow(QWidget* parent) : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void LegendRow::setSegments(const std::vector<StorageSegment>& segments)
{
    const bool same = segments.size() == chips_.size() &&
                      std::equal(segments.begin(), segments.end(), chips_.begin(),
                                 [](const StorageSegment& s, const LegendChip* chip) { return chip->segment() == s; });
    if (same)
        return;
    for (LegendChip* chip : chips_)
        delete chip;
    chips_.clear();
    for (const StorageSegment& segment : segments) {
        chips_.push_back(new LegendChip(segment, this));
        chips_.back()->show();
    }
    arrange(width(), true);
    updateGeometry();
}

int LegendRow::arrange(int width, bool apply) const
{
    int x = 0;
    int y = 0;
    int lineHeight = 0;
    for (LegendChip* chip : chips_) {
        const QSize size = chip->sizeHint();
        if (x > 0 && x + size.width() > width) {
            x = 0;
            y += lineHeight + chipSpacing;
            lineHeight = 0;
        }
        if (apply)
            chip->setGeometry(x, y, size.width(), size.height());
        x += size.width() + chipSpacing;
        lineHeight = std::max(lineHeight, size.height());
    }
    return y + lineHeight;
}

QSize LegendRow::sizeHint() const
{
    int width = 0;
    for (LegendChip* chip : chips_)
        width += chip->sizeHint().width() + chipSpacing;
    return {width, heightForWidth(width)};
}

QSize LegendRow::minimumSizeHint() const
{
    int widest = 0;
    for (LegendChip* chip : chips_)
        widest = std::max(widest, chip->sizeHint().width());
    return {widest, heightForWidth(widest)};
}

int LegendRow::heightForWidth(int width) const
{
    return arrange(width, false);
}

void LegendRow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    arrange(width(), true);
}
