#include "ui/module/ItemRowDelegate.h"

#include <cmath>

#include <QPainter>

#include "ui/design/Checkbox.h"
#include "ui/design/FileIcon.h"
#include "ui/design/IconButton.h"
#include "ui/design/ModuleTheme.h"
#include "ui/design/Palette.h"
#include "ui/design/Shapes.h"
#include "ui/design/TagPill.h"
#include "ui/module/ItemListModel.h"
#include "ui/module/ItemListView.h"
#include "ui/module/ItemRowFonts.h"

namespace {

// Above the first row: the card's 2 from the list's top and the rows' 6 inside the card.
constexpr qreal cardTop = 2;
constexpr qreal columnPadding = 6;
constexpr qreal hoverRadius = 14;

} // namespace

ItemRowDelegate::ItemRowDelegate(ItemListView* view, Module module) : QAbstractItemDelegate(view), view_(view), module_(module)
{
}

qreal ItemRowDelegate::topRoom()
{
    return cardTop + columnPadding;
}

qreal ItemRowDelegate::bottomRoom()
{
    return columnPadding + ItemListView::barRoom;
}

QSize ItemRowDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const
{
    qreal height = ItemRowLayout::height();
    if (index.row() == 0)
        height += topRoom();
    if (index.row() == index.model()->rowCount() - 1)
        height += bottomRoom();
    return {view_->viewport()->width(), int(std::ceil(height))};
}

void ItemRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    const int row = index.row();
    const ItemRowLayout& layout = view_->layoutOf(row);
    const bool ticked = view_->items().isTicked(row);
    const ModuleTheme theme = ModuleTheme::of(module_);
    const QRectF body = view_->rowBody(row);
    painter->save();
    painter->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter->translate(0, body.top());

    const QPainterPath shape = Shapes::roundedRect(layout.hoverShape, hoverRadius);
    if (const qreal hover = view_->hoverOf(row); hover > 0)
        painter->fillPath(shape, theme.tint.withOpacity(0.7 * hover).current());
    if (view_->showsFocusOn(row)) {
        const QRectF ring = layout.hoverShape.adjusted(1, 1, -1, -1);
        painter->strokePath(Shapes::roundedRect(ring, hoverRadius - 1), QPen(Palette::ink.withOpacity(0.45).current(), 2));
    }

    Checkbox::paint(*painter, layout.checkbox, ticked ? CheckState::on : CheckState::off, theme.strong, ticked ? 1 : 0,
                    ticked ? 1 : 0);
    const QPixmap icon = FileIcon::pixmap(layout.iconPath, layout.icon.width(), painter->device()->devicePixelRatioF());
    if (!icon.isNull()) {
        const QSizeF natural = icon.deviceIndependentSize().scaled(layout.icon.size(), Qt::KeepAspectRatio);
        QRectF target(QPointF(), natural);
        target.moveCenter(layout.icon.center());
        painter->drawPixmap(target, icon, QRectF(icon.rect()));
    }

    painter->setFont(ItemRowFonts::name());
    painter->setPen(Palette::ink.current());
    painter->drawText(layout.nameOrigin, layout.name);
    for (const auto& [tag, pill] : layout.pills)
        TagPill::paint(*painter, pill.topLeft(), tag);
    painter->setFont(ItemRowFonts::subtitle());
    painter->setPen(Palette::inkSecondary.current());
    painter->drawText(layout.subtitleOrigin, layout.subtitle);

    if (const qreal hover = view_->hoverOf(row); hover > 0) {
        painter->save();
        painter->setOpacity(hover);
        IconButton::paint(*painter, layout.reveal, QStringLiteral("magnifyingglass"), view_->revealHoverOf(row), 0);
        painter->restore();
    }

    painter->setFont(ItemRowFonts::size());
    painter->setPen(ticked ? Palette::ink.current() : Palette::inkTertiary.current());
    layout.size.draw(*painter, layout.sizeOrigin);

    if (row < index.model()->rowCount() - 1) {
        const qreal y = ItemRowLayout::height() - 0.5;
        const qreal left = ItemRowLayout::cardInset + ItemRowLayout::dividerIndent;
        const qreal right = view_->viewport()->width() - ItemRowLayout::cardInset;
        painter->setPen(QPen(Palette::hairline.current(), 1));
        painter->drawLine(QPointF(left, y), QPointF(right, y));
    }
    painter->restore();
}
