#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/design/DropShadow.h"

// A view set on a card: a rounded rectangle (continuous corners) in the card colour with a soft
// shadow below and a hairline just inside its edge. Holds whatever layout is set on it; shadows
// of widgets inside it fall on it.
class Card : public QWidget {
public:
    explicit Card(qreal cornerRadius, QWidget* parent = nullptr);

    qreal cornerRadius() const { return cornerRadius_; }

    // The card fill and hairline, for code that paints cards itself (list delegates).
    static void paintBody(QPainter& painter, const QRectF& rect, qreal cornerRadius);
    // The shadow every card rests on.
    static ShadowLayer restingShadow();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    qreal cornerRadius_;
    QPointer<DropShadow> shadow_;
};
