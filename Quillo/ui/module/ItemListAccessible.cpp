#include "ui/module/ItemListAccessible.h"

#include "platform/PlatformWords.h"
#include "ui/module/ItemListModel.h"
#include "ui/module/ItemListView.h"
#include "ui/module/ModuleTexts.h"

namespace {

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("ItemListView") && object && object->isWidgetType())
        return new ItemListAccessible(static_cast<ItemListView*>(object));
    return nullptr;
}

} // namespace

ItemListAccessible::ItemListAccessible(ItemListView* view) : QAccessibleWidget(view, QAccessible::List)
{
    // Row interfaces stand for positions; a new result or order makes them stand for other items.
    resetWatch_ = QObject::connect(view->model(), &QAbstractItemModel::modelReset, view, [this] { forgetRows(); });
}

ItemListAccessible::~ItemListAccessible()
{
    QObject::disconnect(resetWatch_);
    forgetRows();
}

void ItemListAccessible::installFactory()
{
    static const bool installed = (QAccessible::installFactory(factory), true);
    (void)installed;
}

ItemListView* ItemListAccessible::view() const
{
    return static_cast<ItemListView*>(widget());
}

void ItemListAccessible::forgetRows()
{
    for (const auto& [row, id] : rows_)
        QAccessible::deleteAccessibleInterface(id);
    rows_.clear();
}

int ItemListAccessible::childCount() const
{
    return view()->items().rowCount();
}

QAccessibleInterface* ItemListAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (auto found = rows_.find(index); found != rows_.end())
        return QAccessible::accessibleInterface(found->second);
    auto* row = new ItemRowAccessible(view(), index);
    rows_[index] = QAccessible::registerAccessibleInterface(row);
    return row;
}

int ItemListAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child || child->role() != QAccessible::CheckBox || child->object())
        return -1;
    for (const auto& [row, id] : rows_)
        if (QAccessible::accessibleInterface(id) == child)
            return row;
    return -1;
}

QAccessibleInterface* ItemListAccessible::childAt(int x, int y) const
{
    const QPoint local = view()->viewport()->mapFromGlobal(QPoint(x, y));
    for (int row = 0; row < childCount(); ++row)
        if (view()->rowBody(row).contains(local))
            return child(row);
    return nullptr;
}

QAccessibleInterface* ItemListAccessible::focusChild() const
{
    if (!view()->hasFocus() || !view()->currentIndex().isValid())
        return nullptr;
    return child(view()->currentIndex().row());
}

// --- A row -------------------------------------------------------------------------------------

ItemRowAccessible::ItemRowAccessible(ItemListView* view, int row) : view_(view), row_(row) {}

QString ItemRowAccessible::showActionName()
{
    return ModuleTexts::platform(platform::platformWords().showInFileManager);
}

bool ItemRowAccessible::isValid() const
{
    return view_ && row_ < view_->items().rowCount();
}

QWindow* ItemRowAccessible::window() const
{
    return view_ ? view_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* ItemRowAccessible::parent() const
{
    return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
}

QString ItemRowAccessible::text(QAccessible::Text t) const
{
    if (!isValid())
        return {};
    const ScanItem& item = view_->items().item(row_);
    switch (t) {
    case QAccessible::Name:
        return ModuleTexts::rowAccessibleName(item);
    case QAccessible::Description:
        return view_->layoutOf(row_).subtitle;
    default:
        return {};
    }
}

QRect ItemRowAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect body = view_->rowBody(row_).toAlignedRect();
    return QRect(view_->viewport()->mapToGlobal(body.topLeft()), body.size());
}

QAccessible::State ItemRowAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.checkable = true;
    state.checked = view_->items().isTicked(row_);
    state.focusable = true;
    state.focused = view_->hasFocus() && view_->currentIndex().row() == row_;
    if (!view_->viewport()->rect().intersects(view_->rowBody(row_).toAlignedRect()))
        state.invisible = state.offscreen = true;
    return state;
}

void* ItemRowAccessible::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QStringList ItemRowAccessible::actionNames() const
{
    return {toggleAction(), showActionName(), ItemListView::neverCleanText()};
}

QString ItemRowAccessible::localizedActionDescription(const QString& name) const
{
    if (name == showActionName() || name == ItemListView::neverCleanText())
        return name;
    return QAccessibleActionInterface::localizedActionDescription(name);
}

void ItemRowAccessible::doAction(const QString& name)
{
    if (!isValid())
        return;
    if (name == toggleAction() || name == pressAction())
        view_->toggle(row_);
    else if (name == showActionName())
        view_->reveal(row_);
    else if (name == ItemListView::neverCleanText())
        view_->neverClean(row_);
}

QStringList ItemRowAccessible::keyBindingsForAction(const QString& name) const
{
    return name == toggleAction() ? QStringList{QStringLiteral("Space")} : QStringList{};
}
