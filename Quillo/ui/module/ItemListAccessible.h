#pragma once

#include <map>

#include <QAccessibleActionInterface>
#include <QAccessibleWidget>
#include <QPointer>

class ItemListView;

// The result list as assistive technology sees it: a list whose children are its rows, each a
// check box (ticked or not) named by the item's name, size and tags, with a toggle action and
// one that shows the item in the file manager. Qt's own list item reports neither the check box
// role nor, through the AT-SPI bridge, its checked state; rows need both to be reviewed by ear.
class ItemListAccessible : public QAccessibleWidget {
public:
    explicit ItemListAccessible(ItemListView* view);
    ~ItemListAccessible() override;

    // Makes Qt use this for every ItemListView; once per process.
    static void installFactory();

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

private:
    void forgetRows();

    ItemListView* view() const;
    mutable std::map<int, QAccessible::Id> rows_;
    QMetaObject::Connection resetWatch_;
};

// One row of the list.
class ItemRowAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ItemRowAccessible(ItemListView* view, int row);

    int row() const { return row_; }
    static QString showActionName();

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::CheckBox; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    QString localizedActionDescription(const QString& name) const override;
    void doAction(const QString& name) override;
    QStringList keyBindingsForAction(const QString& name) const override;

private:
    QPointer<ItemListView> view_;
    int row_;
};
