#include "app/SidebarRow.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPainter>

#include "app/SidebarBadge.h"
#include "store/CleanerStore.h"
#include "ui/design/IconBubble.h"
#include "ui/design/Palette.h"
#include "ui/design/Shadow.h"
#include "ui/design/Shapes.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"

namespace {

constexpr int rowHeight = 34;
constexpr qreal cornerRadius = 9;

QString title(Module module)
{
    return QCoreApplication::translate("Module", module.title().data());
}

} // namespace

SidebarRow::SidebarRow(CleanerStore& store, Module module, QWidget* parent)
    : QAbstractButton(parent), module_(module), badge_(new SidebarBadge(store, module))
{
    setText(title(module));
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(10, 5, 10, 5);
    row->setSpacing(10);
    auto* bubble = new IconBubble(module, 24);
    bubble->setAttribute(Qt::WA_TransparentForMouseEvents);
    row->addWidget(bubble);
    auto* label = new TextLabel(text(), Typography::font(13, FontWeight::semibold, FontDesign::rounded), Palette::ink);
    label->setElideMode(Qt::ElideRight);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    row->addWidget(label, 1);
    row->addSpacing(6 - row->spacing());
    badge_->setAttribute(Qt::WA_TransparentForMouseEvents);
    row->addWidget(badge_);
}

void SidebarRow::setSelected(bool selected)
{
    if (selected == selected_)
        return;
    selected_ = selected;
    update();
}

QSize SidebarRow::sizeHint() const
{
    return {QAbstractButton::sizeHint().width(), rowHeight};
}

void SidebarRow::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    hovered_ = true;
    update();
}

void SidebarRow::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    hovered_ = false;
    update();
}

void SidebarRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(0, 1, 0, -1);
    if (selected_) {
        Shadow::paintRoundedRect(painter, body, cornerRadius, {Palette::shadow.current(), 8, {0, 2}});
        painter.fillPath(Shapes::roundedRect(body, cornerRadius), Palette::card.current());
        painter.strokePath(Shapes::roundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius - 0.5),
                           QPen(Palette::hairline.current(), 1));
    } else if (hovered_ || isDown()) {
        painter.fillPath(Shapes::roundedRect(body, cornerRadius), Palette::ink.withOpacity(isDown() ? 0.09 : 0.05).current());
    }
    if (hasFocus())
        painter.strokePath(Shapes::roundedRect(body.adjusted(1, 1, -1, -1), cornerRadius - 1),
                           QPen(Palette::ink.withOpacity(0.45).current(), 2));
}
