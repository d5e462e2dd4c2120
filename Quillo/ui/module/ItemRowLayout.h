#pragma once

#include <vector>

#include <QRectF>
#include <QString>

#include "records/ScanItem.h"
#include "ui/design/MonospacedDigits.h"

// Where each part of a result row goes, worked out once per row and width so that painting only
// reads it. Coordinates are the list's, with y from the top of the row's body (a row's extra
// room at the list's ends excluded).
//
// Across the list: the card 32 in from each side, the row's hover shape 6 inside the card, its
// content 16 inside that: check box, 14, icon, 14, name and subtitle, the reveal button, 14, and
// the size right-aligned in at least 76.
struct ItemRowLayout {
    static constexpr qreal cardInset = 32;
    static constexpr qreal dividerIndent = 100;

    // The body height every row shares.
    static qreal height();

    // The layout of `item` in a list `width` wide, with `subtitle` as its second line.
    static ItemRowLayout of(const ScanItem& item, const QString& subtitle, qreal width);

    QRectF hoverShape;
    QRectF checkbox;
    QRectF icon;
    QString iconPath;
    QString name;
    QPointF nameOrigin;
    std::vector<std::pair<ScanItem::Tag, QRectF>> pills;
    QString subtitle;
    QRectF subtitleRect;
    QPointF subtitleOrigin;
    bool subtitleHasHelp = false;
    QRectF reveal;
    MonospacedDigits size;
    QPointF sizeOrigin;
};
