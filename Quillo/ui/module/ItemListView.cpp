#include "ui/module/ItemListView.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include <QAccessible>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include "platform/PlatformWords.h"
#include "platform/desktop/FileManager.h"
#include "ui/design/Card.h"
#include "ui/design/Motion.h"
#include "ui/design/Palette.h"
#include "ui/design/ScrollView.h"
#include "ui/design/Shadow.h"
#include "ui/design/TagStyle.h"
#include "ui/module/ItemListAccessible.h"
#include "ui/module/ItemListModel.h"
#include "ui/module/ItemRowDelegate.h"
#include "ui/module/ModuleTexts.h"

namespace {

constexpr qreal cardRadius = 22;
constexpr qreal cardTop = 2;

Timing hoverTiming()
{
    return Timing::easeOut(0.12);
}

} // namespace

ItemListView::ItemListView(ItemListModel* model, QWidget* parent)
    : QListView(parent), model_(model), hoverMotion_(new Motion(this, [this](qreal v) {
          hover_ = v;
          updateRow(hoverRow_);
      })),
      leavingMotion_(new Motion(this, [this](qreal v) {
          leaving_ = v;
          updateRow(leavingRow_);
      })),
      revealMotion_(new Motion(this, [this](qreal v) {
          revealHover_ = v;
          updateRow(hoverRow_);
      })),
      wheelMotion_(new Motion(this, [this](qreal v) {
          verticalScrollBar()->setValue(int(std::lround(wheelFrom_ + (wheelTo_ - wheelFrom_) * v)));
      }))
{
    ItemListAccessible::installFactory();
    setModel(model_);
    setItemDelegate(new ItemRowDelegate(this, model_->module()));
    setSelectionMode(NoSelection);
    setEditTriggers(NoEditTriggers);
    setVerticalScrollMode(ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setResizeMode(Adjust);
    setFrameShape(NoFrame);
    setMouseTracking(true);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(int(ItemRowLayout::height() / 2));
    ScrollView::style(verticalScrollBar());
    setAccessibleName(ModuleTexts::catalogue(model_->module().title()));

    // The store has replaced the result by the time the model resets: the rows still counted
    // stand for items that are gone, so nothing here reads them.
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        keptScroll_ = verticalScrollBar()->value();
        setHoverRow(-1);
        leavingRow_ = -1;
    });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        relayoutRows();
        // Items cleaned away leave the others where they were.
        doItemsLayout();
        verticalScrollBar()->setValue(keptScroll_);
        if (keptCurrent_) {
            const int row = model_->rowOf(*keptCurrent_);
            if (row >= 0)
                selectionModel()->setCurrentIndex(model_->index(row), QItemSelectionModel::NoUpdate);
        }
    });
    connect(model_, &ItemListModel::sorted, this, [this] { verticalScrollBar()->setValue(0); });
    connect(model_, &QAbstractItemModel::dataChanged, this, [this] { announceTicks(); });
    relayoutRows();
}

ItemListView::~ItemListView() = default;

// --- Layout ------------------------------------------------------------------------------------

void ItemListView::relayoutRows()
{
    layoutWidth_ = viewport()->width();
    const Date now = std::chrono::system_clock::now();
    layouts_.clear();
    layouts_.reserve(std::size_t(model_->rowCount()));
    for (int row = 0; row < model_->rowCount(); ++row) {
        const ScanItem& item = model_->item(row);
        layouts_.push_back(ItemRowLayout::of(item, ModuleTexts::rowSubtitle(item, dates_, now), layoutWidth_));
    }
    ticks_.assign(layouts_.size(), false);
    for (int row = 0; row < model_->rowCount(); ++row)
        ticks_[std::size_t(row)] = model_->isTicked(row);
}

void ItemListView::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    if (viewport()->width() != layoutWidth_)
        relayoutRows();
}

QRectF ItemListView::rowBody(int row) const
{
    const QRect rect = visualRect(model_->index(row));
    const qreal top = rect.top() + (row == 0 ? ItemRowDelegate::topRoom() : 0);
    return QRectF(0, top, viewport()->width(), ItemRowLayout::height());
}

int ItemListView::rowAt(QPoint position) const
{
    const QModelIndex index = indexAt(position);
    if (!index.isValid())
        return -1;
    const QRectF body = rowBody(index.row());
    const QRectF shape = layoutOf(index.row()).hoverShape;
    if (position.y() < body.top() || position.y() >= body.bottom() || position.x() < shape.left() ||
        position.x() >= shape.right())
        return -1;
    return index.row();
}

bool ItemListView::onReveal(int row, QPoint position) const
{
    return layoutOf(row).reveal.translated(0, rowBody(row).top()).contains(position);
}

// --- Look --------------------------------------------------------------------------------------

qreal ItemListView::hoverOf(int row) const
{
    if (row == hoverRow_)
        return hover_;
    return row == leavingRow_ ? leaving_ : 0;
}

qreal ItemListView::revealHoverOf(int row) const
{
    return row == hoverRow_ ? revealHover_ : 0;
}

bool ItemListView::showsFocusOn(int row) const
{
    return keyboardFocus_ && hasFocus() && currentIndex().row() == row;
}

void ItemListView::updateRow(int row)
{
    if (row >= 0 && row < model_->rowCount())
        viewport()->update(visualRect(model_->index(row)));
}

void ItemListView::setHoverRow(int row)
{
    if (row == hoverRow_)
        return;
    if (hoverRow_ >= 0) {
        leavingRow_ = hoverRow_;
        leavingMotion_->jumpTo(hover_);
        leavingMotion_->animateTo(0, hoverTiming());
    }
    const qreal from = row == leavingRow_ ? leaving_ : 0;
    hoverRow_ = row;
    revealHovered_ = false;
    revealMotion_->jumpTo(0);
    hoverMotion_->jumpTo(from);
    if (row >= 0)
        hoverMotion_->animateTo(1, hoverTiming());
}

void ItemListView::setRevealHovered(bool hovered)
{
    if (hovered == revealHovered_)
        return;
    revealHovered_ = hovered;
    revealMotion_->animateTo(hovered ? 1 : 0, hoverTiming());
}

void ItemListView::paintEvent(QPaintEvent* event)
{
    if (model_->rowCount() > 0) {
        QPainter painter(viewport());
        painter.setRenderHint(QPainter::Antialiasing);
        const QRect first = visualRect(model_->index(0));
        const QRect last = visualRect(model_->index(model_->rowCount() - 1));
        const qreal top = first.top() + cardTop;
        const qreal bottom = last.top() + last.height() - barRoom;
        const QRectF card(ItemRowLayout::cardInset, top, viewport()->width() - 2 * ItemRowLayout::cardInset, bottom - top);
        const ShadowLayer shadow = Card::restingShadow();
        ::Shadow::paintRoundedRect(painter, card, cardRadius, {shadow.color.current(), shadow.radius, shadow.offset});
        Card::paintBody(painter, card, cardRadius);
    }
    QListView::paintEvent(event);
}

// --- Actions -----------------------------------------------------------------------------------

void ItemListView::toggle(int row)
{
    model_->toggle(row);
}

void ItemListView::reveal(int row)
{
    if (row >= 0 && row < model_->rowCount())
        platform::FileManager::session().reveal(QString::fromStdString(model_->item(row).url.string()));
}

void ItemListView::neverClean(int row)
{
    if (row >= 0 && row < model_->rowCount())
        Q_EMIT neverCleanRequested(model_->item(row));
}

QString ItemListView::neverCleanText()
{
    return tr("Never Clean This");
}

QWidget* ItemListView::openContextMenu(int row, QPoint globalPosition)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(model_->isTicked(row) ? tr("Deselect") : tr("Select"), this, [this, row] { toggle(row); });
    menu->addAction(ModuleTexts::platform(platform::platformWords().showInFileManager), this, [this, row] { reveal(row); });
    menu->addSeparator();
    menu->addAction(neverCleanText(), this, [this, row] { neverClean(row); });
    menu->popup(globalPosition);
    return menu;
}

void ItemListView::announceTicks()
{
    const bool tell = QAccessible::isActive();
    for (int row = 0; row < model_->rowCount() && std::size_t(row) < ticks_.size(); ++row) {
        const bool ticked = model_->isTicked(row);
        if (ticked == ticks_[std::size_t(row)])
            continue;
        ticks_[std::size_t(row)] = ticked;
        if (tell) {
            QAccessible::State changed;
            changed.checked = true;
            QAccessibleStateChangeEvent event(this, changed);
            event.setChild(row);
            QAccessible::updateAccessibility(&event);
        }
    }
}

// --- Pointer -----------------------------------------------------------------------------------

void ItemListView::mouseMoveEvent(QMouseEvent* event)
{
    const int row = rowAt(event->position().toPoint());
    setHoverRow(row);
    setRevealHovered(row >= 0 && onReveal(row, event->position().toPoint()));
}

void ItemListView::leaveEvent(QEvent* event)
{
    QListView::leaveEvent(event);
    setHoverRow(-1);
}

void ItemListView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    keyboardFocus_ = false;
    const QPoint position = event->position().toPoint();
    pressRow_ = rowAt(position);
    pressOnReveal_ = pressRow_ >= 0 && pressRow_ == hoverRow_ && onReveal(pressRow_, position);
    setFocus(Qt::MouseFocusReason);
    if (pressRow_ >= 0)
        selectionModel()->setCurrentIndex(model_->index(pressRow_), QItemSelectionModel::NoUpdate);
}

void ItemListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second click of a double click ticks again, as on any check box.
    mousePressEvent(event);
}

void ItemListView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    const int row = std::exchange(pressRow_, -1);
    if (event->button() != Qt::LeftButton || row < 0 || rowAt(position) != row)
        return;
    if (!pressOnReveal_)
        toggle(row);
    else if (onReveal(row, position))
        reveal(row);
}

void ItemListView::contextMenuEvent(QContextMenuEvent* event)
{
    const bool byMouse = event->reason() == QContextMenuEvent::Mouse;
    const int row = byMouse ? rowAt(event->pos()) : currentIndex().row();
    if (row < 0)
        return;
    const QPoint at = byMouse ? event->globalPos() : viewport()->mapToGlobal(rowBody(row).center().toPoint());
    openContextMenu(row, at);
}

void ItemListView::wheelEvent(QWheelEvent* event)
{
    // Touchpads scroll by pixels already; a wheel's notches are eased into.
    if (!event->pixelDelta().isNull() || event->angleDelta().y() == 0 || !Motion::animationsEnabled()) {
        QListView::wheelEvent(event);
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    const int start = wheelMotion_->state() == QAbstractAnimation::Running ? wheelTo_ : bar->value();
    const int step = bar->singleStep() * 3;
    wheelFrom_ = bar->value();
    wheelTo_ = std::clamp(start - event->angleDelta().y() * step / 120, bar->minimum(), bar->maximum());
    wheelMotion_->jumpTo(0);
    wheelMotion_->animateTo(1, Timing::easeOut(0.18));
    event->accept();
}

QString ItemListView::helpAt(QPoint position) const
{
    const int row = rowAt(position);
    if (row < 0)
        return {};
    const ItemRowLayout& layout = layoutOf(row);
    const QPointF local = position - QPointF(0, rowBody(row).top());
    if (row == hoverRow_ && layout.reveal.contains(local))
        return ModuleTexts::platform(platform::platformWords().showInFileManager);
    for (const auto& [tag, pill] : layout.pills)
        if (pill.contains(local))
            return TagStyle::helpText(tag);
    if (layout.subtitleHasHelp && layout.subtitleRect.contains(local))
        return ModuleTexts::extraLocations(model_->item(row));
    return {};
}

bool ItemListView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = helpAt(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport());
        return true;
    }
    if (event->type() == QEvent::Leave)
        setHoverRow(-1);
    return QListView::viewportEvent(event);
}

// --- Keyboard ----------------------------------------------------------------------------------

void ItemListView::keyPressEvent(QKeyEvent* event)
{
    keyboardFocus_ = true;
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        if (currentIndex().isValid())
            toggle(currentIndex().row());
        else if (model_->rowCount() > 0)
            selectionModel()->setCurrentIndex(model_->index(0), QItemSelectionModel::NoUpdate);
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
    updateRow(currentIndex().row());
}

void ItemListView::focusInEvent(QFocusEvent* event)
{
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
        event->reason() == Qt::ShortcutFocusReason)
        keyboardFocus_ = true;
    QListView::focusInEvent(event);
    if (!currentIndex().isValid() && model_->rowCount() > 0)
        selectionModel()->setCurrentIndex(model_->index(0), QItemSelectionModel::NoUpdate);
    updateRow(currentIndex().row());
}

void ItemListView::focusOutEvent(QFocusEvent* event)
{
    QListView::focusOutEvent(event);
    updateRow(currentIndex().row());
}

void ItemListView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QListView::currentChanged(current, previous);
    // Remembered by location, so that the same item is current again in a new result or order.
    if (current.isValid())
        keptCurrent_ = model_->item(current.row()).url;
    updateRow(previous.row());
    updateRow(current.row());
}

void ItemListView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid() || hint != EnsureVisible) {
        QListView::scrollTo(index, hint);
        return;
    }
    // A row is in view only above the clean bar, and the first one with the card's top.
    const QRectF body = rowBody(index.row());
    const qreal top = body.top() - (index.row() == 0 ? ItemRowDelegate::topRoom() : 0);
    const qreal visibleBottom = viewport()->height() - barRoom;
    QScrollBar* bar = verticalScrollBar();
    if (top < 0)
        bar->setValue(bar->value() + int(std::floor(top)));
    else if (body.bottom() > visibleBottom)
        bar->setValue(bar->value() + int(std::ceil(body.bottom() - visibleBottom)));
}
