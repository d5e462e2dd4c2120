#include "ui/design/Symbols.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

#include "ui/design/DesignResources.h"

namespace Symbols {

namespace {

struct SymbolFile {
    const char* name;
    const char* file;
};

// The closest icon to each system symbol the screens name. Filled symbols take filled icons;
// the plain strokes (cross, arrow, magnifier) take the bold line weight, and the check box's
// tick and dash, asked for at the heaviest weight, heavier strokes still.
constexpr SymbolFile table[] = {
    {"sparkles", "tabler/sparkles.svg"},
    {"gearshape.2.fill", "composed/gearshape-2-fill.svg"},
    {"hammer.fill", "phosphor/hammer-fill.svg"},
    {"trash.fill", "tabler/trash.svg"},
    {"xmark.bin.fill", "tabler/trash-x.svg"},
    {"sparkle.magnifyingglass", "composed/sparkle-magnifyingglass.svg"},
    {"shippingbox.fill", "phosphor/package-fill.svg"},
    {"doc.on.doc.fill", "tabler/files.svg"},
    {"tray.and.arrow.down.fill", "phosphor/tray-arrow-down-fill.svg"},
    {"iphone", "tabler/device-mobile.svg"},
    {"internaldrive.fill", "phosphor/hard-drive-fill.svg"},
    {"checkmark", "composed/checkmark-heavy.svg"},
    {"minus", "composed/minus-heavy.svg"},
    {"folder.fill", "phosphor/folder-fill.svg"},
    {"doc.fill", "phosphor/file-fill.svg"},
    {"magnifyingglass", "phosphor/magnifying-glass-bold.svg"},
    {"xmark", "phosphor/x-bold.svg"},
    {"arrow.right", "phosphor/arrow-right-bold.svg"},
    {"arrow.right.circle.fill", "phosphor/arrow-circle-right-fill.svg"},
    {"lock.fill", "phosphor/lock-fill.svg"},
    {"exclamationmark.triangle.fill", "tabler/alert-triangle.svg"},
    {"exclamationmark.circle.fill", "phosphor/warning-circle-fill.svg"},
    {"checkmark.circle.fill", "phosphor/check-circle-fill.svg"},
    {"gearshape.fill", "phosphor/gear-six-fill.svg"},
    {"memorychip.fill", "phosphor/memory-fill.svg"},
};

// Parsed once per symbol; GUI thread only, like every paint.
QSvgRenderer* renderer(const QString& name)
{
    static std::map<QString, std::unique_ptr<QSvgRenderer>> renderers;
    if (auto found = renderers.find(name); found != renderers.end())
        return found->second.get();
    const QString path = resourcePath(name);
    std::unique_ptr<QSvgRenderer> loaded;
    if (!path.isEmpty()) {
        DesignResources::load();
        loaded = std::make_unique<QSvgRenderer>(path);
        if (!loaded->isValid())
            loaded.reset();
    }
    return renderers.emplace(name, std::move(loaded)).first->second.get();
}

} // namespace

QString resourcePath(const QString& name)
{
    const auto found = std::find_if(std::begin(table), std::end(table),
                                    [&](const SymbolFile& entry) { return name == QLatin1String(entry.name); });
    if (found == std::end(table))
        return {};
    return QStringLiteral(":/quillo/icons/") + QLatin1String(found->file);
}

qreal sideForFontSize(qreal fontSize)
{
    return fontSize * 1.25;
}

QPixmap pixmap(const QString& name, qreal side, const QColor& color, qreal devicePixelRatio)
{
    const int pixels = std::max(1, int(std::lround(side * devicePixelRatio)));
    const QString key =
        QStringLiteral("quillo.symbol/%1/%2@%3/%4").arg(name).arg(side).arg(devicePixelRatio).arg(color.rgba(), 8, 16);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;
    QSvgRenderer* svg = renderer(name);
    if (!svg)
        return {};
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg->render(&painter, QRectF(0, 0, pixels, pixels));
        // Keep the icon's coverage, take the asked colour.
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), color);
    }
    cached = QPixmap::fromImage(std::move(image));
    cached.setDevicePixelRatio(pixels / side);
    QPixmapCache::insert(key, cached);
    return cached;
}

void paint(QPainter& painter, const QRectF& rect, const QString& name, const QColor& color)
{
    const qreal side = std::min(rect.width(), rect.height());
    if (side <= 0)
        return;
    const QPixmap image = pixmap(name, side, color, painter.device()->devicePixelRatioF());
    if (image.isNull())
        return;
    const QRectF target(rect.center() - QPointF(side / 2, side / 2), QSizeF(side, side));
    painter.drawPixmap(target, image, QRectF(image.rect()));
}

} // namespace Symbols
