#pragma once

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

// A button's label: an optional leading symbol and a text, centred in the button. Laid out when
// its content or room changes; painting only reads the result.
class ButtonLabel {
public:
    void setContent(const QString& text, const QString& symbol, const QFont& font);
    // The room the label needs, without padding.
    QSizeF naturalSize() const;
    void layout(const QRectF& room);
    void paint(QPainter& painter, const QColor& color) const;

    const QString& text() const { return text_; }
    const QString& symbol() const { return symbol_; }

private:
    QString text_;
    QString symbol_;
    QFont font_;
    qreal textWidth_ = 0;
    qreal capHeight_ = 0;
    qreal lineHeight_ = 0;
    QRectF symbolRect_;
    QPointF textOrigin_;
};
