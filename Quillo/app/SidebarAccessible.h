#pragma once

#include <QAccessibleWidget>

class SidebarRow;

// The sidebar to assistive technology: a list of page tabs, one per module, the shown one
// selected, each pressed to show its page; the badge is the tab's description.
class SidebarRowAccessible : public QAccessibleWidget {
public:
    explicit SidebarRowAccessible(SidebarRow* row);

    // Makes Qt use these interfaces for the sidebar's rows and list; once per application.
    static void installFactory();

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    SidebarRow* row() const;
};
