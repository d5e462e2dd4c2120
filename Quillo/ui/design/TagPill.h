#pragma once

#include <QWidget>

#include "records/ScanItem.h"

// An item's tag as a small tinted capsule ("Safe", "Review"), with the tag's help as its tooltip.
class TagPill : public QWidget {
public:
    explicit TagPill(ScanItem::Tag tag, QWidget* parent = nullptr);

    ScanItem::Tag tag() const { return tag_; }
    QSize sizeHint() const override;

    // The pill's size and its drawing at `topLeft`, for code that paints rows itself.
    static QSizeF size(ScanItem::Tag tag);
    static void paint(QPainter& painter, QPointF topLeft, ScanItem::Tag tag);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Layout {
        QSizeF size;
        QPointF textOrigin;
    };
    static Layout layoutFor(ScanItem::Tag tag);
    static void paintLayout(QPainter& painter, QPointF topLeft, const Layout& layout, ScanItem::Tag tag);

    ScanItem::Tag tag_;
    Layout layout_;
};
