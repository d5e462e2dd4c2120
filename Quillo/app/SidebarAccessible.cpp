#include "app/SidebarAccessible.h"

#include "app/SidebarBadge.h"
#include "app/SidebarRow.h"

namespace {

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("SidebarRow"))
        return new SidebarRowAccessible(static_cast<SidebarRow*>(object));
    if (className == QLatin1String("SidebarList"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::PageTabList);
    return nullptr;
}

} // namespace

SidebarRowAccessible::SidebarRowAccessible(SidebarRow* row) : QAccessibleWidget(row, QAccessible::PageTab) {}

void SidebarRowAccessible::installFactory()
{
    static const bool installed = (QAccessible::installFactory(factory), true);
    (void)installed;
}

SidebarRow* SidebarRowAccessible::row() const
{
    return static_cast<SidebarRow*>(widget());
}

QString SidebarRowAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return row()->text();
    case QAccessible::Description:
        if (row()->badge()->shown() == SidebarBadge::Shown::spinner)
            return SidebarRow::tr("Working");
        return row()->badge()->text();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State SidebarRowAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.selectable = true;
    state.selected = row()->isSelected();
    return state;
}

QStringList SidebarRowAccessible::actionNames() const
{
    return {pressAction()};
}

void SidebarRowAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction())
        row()->click();
}
