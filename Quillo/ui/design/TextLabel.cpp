#include "ui/design/TextLabel.h"

#include <algorithm>
#include <cmath>

#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QPainter>

#include "ui/design/Palette.h"
#include "ui/design/Symbols.h"
#include "ui/design/Typography.h"

namespace {

class TextLabelAccessible : public QAccessibleWidget {
public:
    explicit TextLabelAccessible(TextLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const TextLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("TextLabel") && object && object->isWidgetType())
        return new TextLabelAccessible(static_cast<TextLabel*>(object));
    return nullptr;
}

} // namespace

TextLabel::TextLabel(const QString& text, const QFont& font, DynamicColor color, QWidget* parent)
    : QWidget(parent), text_(text), font_(font), color_(color)
{
    static const bool accessible = (QAccessible::installFactory(accessibleFactory), true);
    (void)accessible;
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    relayout();
}

void TextLabel::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    relayout();
    // A one-line label whose width the layout does not take from its text (fixed, or ignored for
    // an elided path that changes many times a second) keeps its size: its layout is left alone.
    const bool sizedByLayout =
        minimumWidth() == maximumWidth() || sizePolicy().horizontalPolicy() == QSizePolicy::Ignored;
    if (wraps_ || !sizedByLayout)
        updateGeometry();
}

void TextLabel::setColor(DynamicColor color)
{
    color_ = color;
    update();
}

void TextLabel::setOpacity(qreal opacity)
{
    opacity_ = opacity;
    update();
}

void TextLabel::setSymbol(const QString& symbolName, qreal spacing)
{
    symbol_ = symbolName;
    symbolSpacing_ = spacing;
    relayout();
    updateGeometry();
}

void TextLabel::setAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment;
    relayout();
}

void TextLabel::setElideMode(Qt::TextElideMode mode)
{
    elideMode_ = mode;
    relayout();
    updateGeometry();
}

void TextLabel::setWordWrap(qreal lineSpacing, qreal maximumWidth)
{
    wraps_ = true;
    lineSpacing_ = lineSpacing;
    maximumWidth_ = maximumWidth;
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    relayout();
    updateGeometry();
}

qreal TextLabel::symbolRoom() const
{
    return symbol_.isEmpty() ? 0 : Symbols::sideForFontSize(Typography::sizeOf(font_)) + symbolSpacing_;
}

qreal TextLabel::textRoomFor(qreal width) const
{
    return std::min(width, maximumWidth_) - symbolRoom();
}

// Lines with baselines, placed by the alignment within `width`.
std::vector<TextLabel::Line> TextLabel::linesFor(qreal width) const
{
    const QFontMetricsF metrics(font_);
    const qreal room = std::max<qreal>(textRoomFor(width), 0);
    std::vector<Line> lines;
    if (!wraps_) {
        const QString shown = elideMode_ == Qt::ElideNone ? text_ : metrics.elidedText(text_, elideMode_, room);
        lines.push_back({shown, {0, metrics.ascent()}});
    } else {
        QTextLayout layout(text_, font_);
        layout.beginLayout();
        qreal y = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(room);
            lines.push_back({text_.mid(line.textStart(), line.textLength()).trimmed(), {0, y + line.ascent()}});
            y += line.height() + lineSpacing_;
        }
        layout.endLayout();
    }
    const qreal symbol = symbolRoom();
    for (Line& line : lines) {
        const qreal lineWidth = metrics.horizontalAdvance(line.text) + symbol;
        qreal x = 0;
        if (alignment_ & Qt::AlignHCenter)
            x = (width - lineWidth) / 2;
        else if (alignment_ & Qt::AlignRight)
            x = width - lineWidth;
        line.origin.setX(std::max<qreal>(x, 0) + symbol);
    }
    return lines;
}

void TextLabel::relayout()
{
    lines_ = linesFor(width());
    if (!symbol_.isEmpty() && !lines_.empty()) {
        const QFontMetricsF metrics(font_);
        const qreal side = Symbols::sideForFontSize(Typography::sizeOf(font_));
        const qreal middle = lines_.front().origin.y() - metrics.capHeight() / 2;
        symbolRect_ = QRectF(lines_.front().origin.x() - symbolRoom(), middle - side / 2, side, side);
    }
    update();
}

qreal TextLabel::baseline() const
{
    return QFontMetricsF(font_).ascent();
}

QSize TextLabel::sizeHint() const
{
    const QFontMetricsF metrics(font_);
    qreal width = metrics.horizontalAdvance(text_) + symbolRoom();
    if (wraps_)
        width = std::min(width, maximumWidth_);
    const int w = int(std::ceil(width));
    return {w, wraps_ ? heightForWidth(w) : int(std::ceil(metrics.height()))};
}

QSize TextLabel::minimumSizeHint() const
{
    if (!wraps_ && elideMode_ == Qt::ElideNone)
        return sizeHint();
    const QFontMetricsF metrics(font_);
    return {int(std::ceil(symbolRoom() + metrics.averageCharWidth() * 3)), int(std::ceil(metrics.height()))};
}

int TextLabel::heightForWidth(int width) const
{
    if (!wraps_)
        return sizeHint().height();
    const std::vector<Line> lines = linesFor(width);
    const QFontMetricsF metrics(font_);
    if (lines.empty())
        return int(std::ceil(metrics.height()));
    return int(std::ceil(lines.back().origin.y() + metrics.descent()));
}

void TextLabel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void TextLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.setOpacity(opacity_);
    const QColor color = color_.current();
    if (!symbol_.isEmpty())
        Symbols::paint(painter, symbolRect_, symbol_, color);
    painter.setFont(font_);
    painter.setPen(color);
    for (const Line& line : lines_)
        painter.drawText(line.origin, line.text);
}

SectionLabel::SectionLabel(const QString& text, QWidget* parent)
    : TextLabel(text, Typography::section(), Palette::inkSecondary, parent)
{
}
