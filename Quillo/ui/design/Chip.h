#pragma once

#include <QWidget>

#include "ui/design/DynamicColor.h"

// A capsule label: an optional symbol and a short text in `color` on a `background` capsule.
class Chip : public QWidget {
public:
    Chip(const QString& text, const QString& symbolName, DynamicColor color, DynamicColor background,
         QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    void setText(const QString& text);
    QSize sizeHint() const override;

    // The chip's size and its drawing at `topLeft`, for code that paints chips itself.
    static QSizeF size(const QString& text, const QString& symbolName);
    static void paint(QPainter& painter, QPointF topLeft, const QString& text, const QString& symbolName,
                      const QColor& color, const QColor& background);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Layout {
        QSizeF size;
        QRectF symbol;
        QPointF textOrigin;
    };
    static Layout layoutFor(const QString& text, const QString& symbolName);
    static void paintLayout(QPainter& painter, QPointF topLeft, const Layout& layout, const QString& text,
                            const QString& symbolName, const QColor& color, const QColor& background);

    Layout layout_;
    QString text_;
    QString symbol_;
    DynamicColor color_;
    DynamicColor background_;
};
