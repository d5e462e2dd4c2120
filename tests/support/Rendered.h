#pragma once

#include <QImage>
#include <QWidget>

// What `widget` and its children paint, on a transparent image of the widget's size.
inline QImage rendered(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}
