#include "ui/design/FileIcon.h"

#include <cmath>

#include <QAbstractFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>
#include <QPainter>
#include <QPixmapCache>
#include <QStandardPaths>

#include "ui/design/Palette.h"
#include "ui/design/Symbols.h"

FileIcon::FileIcon(const QString& path, qreal size, QWidget* parent) : QWidget(parent), path_(path), size_(size)
{
    setFixedSize(int(std::ceil(size)), int(std::ceil(size)));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void FileIcon::setPath(const QString& path)
{
    path_ = path;
    update();
}

QSize FileIcon::sizeHint() const
{
    return {int(std::ceil(size_)), int(std::ceil(size_))};
}

namespace {

// The desktop theme's icon for the file's type, as file managers show it: a folder's, else that
// of its MIME type (by contents where the name does not tell), else its generic kind's.
QIcon themeIcon(const QFileInfo& info)
{
    // Without a desktop session Qt knows neither where themes live nor which one is in force, and
    // a theme may lack type icons: the data folders' icons are searched, and where the theme in
    // force has no type icons, Adwaita (which most installations carry) takes its place.
    static const bool themed = [] {
        QStringList paths = QIcon::themeSearchPaths();
        for (const QString& folder : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                                               QStandardPaths::LocateDirectory))
            if (!paths.contains(folder))
                paths << folder;
        QIcon::setThemeSearchPaths(paths);
        const QString desktopTheme = QIcon::themeName();
        if (!QIcon::hasThemeIcon(QStringLiteral("text-x-generic"))) {
            QIcon::setThemeName(QStringLiteral("Adwaita"));
            if (!QIcon::hasThemeIcon(QStringLiteral("text-x-generic")))
                QIcon::setThemeName(desktopTheme);
        }
        return true;
    }();
    (void)themed;
    if (info.isDir())
        return QIcon::fromTheme(QStringLiteral("folder"), QIcon::fromTheme(QStringLiteral("inode-directory")));
    static const QMimeDatabase mimeTypes;
    const QMimeType type = mimeTypes.mimeTypeForFile(info);
    for (const QString& name : {type.iconName(), type.genericIconName(), QStringLiteral("text-x-generic")}) {
        if (QIcon::hasThemeIcon(name))
            return QIcon::fromTheme(name);
    }
    static QAbstractFileIconProvider provider;
    return provider.icon(info);
}

} // namespace

QPixmap FileIcon::pixmap(const QString& path, qreal side, qreal devicePixelRatio)
{
    const int pixels = std::max(1, int(std::lround(side * devicePixelRatio)));
    const QString key = QStringLiteral("quillo.fileicon/%1@%2/%3").arg(side).arg(devicePixelRatio).arg(path);
    // A path without a desktop icon is remembered too, with the stand-in's colour in the key, so
    // painting never asks the desktop (which may read the file) again.
    const QColor standIn = Palette::inkTertiary.current();
    const QString standInKey = key + QStringLiteral("/%1").arg(standIn.rgba(), 8, 16);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached) || QPixmapCache::find(standInKey, &cached))
        return cached;
    const QFileInfo info(path);
    const QIcon icon = themeIcon(info);
    cached = icon.isNull() ? QPixmap() : icon.pixmap(QSize(pixels, pixels));
    if (!cached.isNull()) {
        cached.setDevicePixelRatio(devicePixelRatio);
        QPixmapCache::insert(key, cached);
        return cached;
    }
    const QString symbol = info.isDir() ? QStringLiteral("folder.fill") : QStringLiteral("doc.fill");
    cached = Symbols::pixmap(symbol, side, standIn, devicePixelRatio);
    QPixmapCache::insert(standInKey, cached);
    return cached;
}

void FileIcon::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap icon = pixmap(path_, size_, devicePixelRatioF());
    if (icon.isNull())
        return;
    const QSizeF natural = icon.deviceIndependentSize().scaled(QSizeF(size_, size_), Qt::KeepAspectRatio);
    QRectF target(QPointF(), natural);
    target.moveCenter(QRectF(0, 0, size_, size_).center());
    painter.drawPixmap(target, icon, QRectF(icon.rect()));
}
