#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QImage>
#include <QString>
#include <QWidget>

// The gallery's sheets: each a window-sized widget showing one family of pieces in all their states.
namespace GallerySheets {

struct Sheet {
    QString name;
    std::function<std::unique_ptr<QWidget>()> build;
};

std::vector<Sheet> all();

// Shows `sheet` off screen, lets its layouts settle and renders it at `devicePixelRatio`.
QImage render(QWidget& sheet, qreal devicePixelRatio);

} // namespace GallerySheets
