#pragma once

#include <QPointer>
#include <QWidget>

#include "records/Module.h"

class DropShadow;

// A module's symbol in a rounded square of side `size`: filled with the module's colour under a
// gloss, or a card-coloured square with the symbol in the module's colour. Decoration only.
class IconBubble : public QWidget {
public:
    enum class Style { filled, onTint };

    IconBubble(Module module, qreal size, Style style = Style::filled, QWidget* parent = nullptr);

    void setModule(Module module);
    Module module() const { return module_; }

    QSize sizeHint() const override;

    // The bubble without its shadow, for code that paints it itself.
    static void paint(QPainter& painter, const QRectF& square, Module module, Style style);
    // The bubble's shadow, for code that paints it itself.
    static void paintShadow(QPainter& painter, const QRectF& square, Module module, Style style);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateShadow();

    Module module_;
    qreal size_;
    Style style_;
    QPointer<DropShadow> shadow_;
};
