#pragma once

#include <QString>
#include <QWidget>

// The desktop's icon for a file or folder, scaled smoothly into a square and keeping its aspect;
// where the desktop has none, a folder or document symbol stands in. Decoration only.
class FileIcon : public QWidget {
public:
    FileIcon(const QString& path, qreal size, QWidget* parent = nullptr);

    void setPath(const QString& path);
    QSize sizeHint() const override;

    // The icon for `path` at `side` units and the given pixel ratio; cached by path and size.
    static QPixmap pixmap(const QString& path, qreal side, qreal devicePixelRatio);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString path_;
    qreal size_;
};
