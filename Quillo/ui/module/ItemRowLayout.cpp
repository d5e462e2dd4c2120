#include "ui/module/ItemRowLayout.h"

#include <algorithm>

#include <QFontMetricsF>

#include "foundation/ByteFormat.h"
#include "ui/design/IconButton.h"
#include "ui/design/TagPill.h"
#include "ui/design/Typography.h"
#include "ui/module/ItemRowFonts.h"

namespace {

constexpr qreal rowInset = 6;
constexpr qreal contentInset = 16;
constexpr qreal verticalPadding = 9;
constexpr qreal spacing = 14;
constexpr qreal checkboxSide = 20;
constexpr qreal iconSide = 34;
constexpr qreal minimumSizeWidth = 76;
constexpr qreal pillSpacing = 6;
constexpr qreal lineSpacing = 3;

qreal nameLineHeight()
{
    return std::max(QFontMetricsF(ItemRowFonts::name()).height(), TagPill::size(ScanItem::Tag::rebuildable).height());
}

qreal columnHeight()
{
    return nameLineHeight() + lineSpacing + QFontMetricsF(ItemRowFonts::subtitle()).height();
}

} // namespace

qreal ItemRowLayout::height()
{
    static const qreal body = verticalPadding + std::max(iconSide, std::ceil(columnHeight())) + verticalPadding;
    return body;
}

ItemRowLayout ItemRowLayout::of(const ScanItem& item, const QString& subtitle, qreal width)
{
    const qreal h = height();
    ItemRowLayout layout;
    const qreal left = cardInset + rowInset;
    const qreal right = width - cardInset - rowInset;
    layout.hoverShape = QRectF(left, 0, std::max<qreal>(right - left, 0), h);
    const qreal contentLeft = left + contentInset;
    const qreal contentRight = right - contentInset;
    layout.checkbox = QRectF(contentLeft, (h - checkboxSide) / 2, checkboxSide, checkboxSide);
    layout.icon = QRectF(layout.checkbox.right() + spacing, (h - iconSide) / 2, iconSide, iconSide);
    layout.iconPath = QString::fromStdString((item.iconURL ? *item.iconURL : item.url).string());

    layout.size = MonospacedDigits(ByteFormat::string(item.size, ByteFormat::Style::file), ItemRowFonts::size());
    const QFontMetricsF sizeMetrics(ItemRowFonts::size());
    const qreal sizeWidth = std::max(minimumSizeWidth, layout.size.width());
    layout.sizeOrigin = QPointF(contentRight - layout.size.width(), h / 2 + sizeMetrics.capHeight() / 2);
    const qreal sizeLeft = contentRight - sizeWidth;
    layout.reveal = QRectF(sizeLeft - spacing - IconButton::side, (h - IconButton::side) / 2, IconButton::side,
                           IconButton::side);

    const qreal textLeft = layout.icon.right() + spacing;
    const qreal textRoom = std::max<qreal>(layout.reveal.left() - spacing - textLeft, 0);
    const qreal top = (h - columnHeight()) / 2;
    const qreal lineHeight = nameLineHeight();

    qreal pillsWidth = 0;
    for (ScanItem::Tag tag : item.tags)
        pillsWidth += pillSpacing + TagPill::size(tag).width();
    const QFontMetricsF nameMetrics(ItemRowFonts::name());
    const QString name = QString::fromStdString(item.name);
    layout.name = nameMetrics.elidedText(name, Qt::ElideRight, std::max<qreal>(textRoom - pillsWidth, 0));
    layout.nameOrigin = QPointF(textLeft, top + (lineHeight - nameMetrics.height()) / 2 + nameMetrics.ascent());
    qreal x = textLeft + nameMetrics.horizontalAdvance(layout.name);
    for (ScanItem::Tag tag : item.tags) {
        const QSizeF pill = TagPill::size(tag);
        x += pillSpacing;
        layout.pills.emplace_back(tag, QRectF(QPointF(x, top + (lineHeight - pill.height()) / 2), pill));
        x += pill.width();
    }

    const QFontMetricsF subtitleMetrics(ItemRowFonts::subtitle());
    layout.subtitle = subtitleMetrics.elidedText(subtitle, Qt::ElideMiddle, textRoom);
    layout.subtitleRect = QRectF(textLeft, top + lineHeight + lineSpacing,
                                 subtitleMetrics.horizontalAdvance(layout.subtitle), subtitleMetrics.height());
    layout.subtitleOrigin = QPointF(textLeft, layout.subtitleRect.top() + subtitleMetrics.ascent());
    layout.subtitleHasHelp = !item.extraURLs.empty();
    return layout;
}
