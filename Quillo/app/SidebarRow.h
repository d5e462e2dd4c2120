#pragma once

#include <QAbstractButton>

#include "records/Module.h"

class CleanerStore;
class FrameThrottle;
class SidebarBadge;
class TextLabel;

// One module in the sidebar: its bubble and title, and a badge of what it is doing or found.
// Clicking it shows the module; it never starts anything. Drawn highlighted while selected.
class SidebarRow : public QAbstractButton {
    Q_OBJECT

public:
    SidebarRow(CleanerStore& store, Module module, QWidget* parent = nullptr);

    Module module() const { return module_; }
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);
    SidebarBadge* badge() const { return badge_; }

    QSize sizeHint() const override;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Module module_;
    SidebarBadge* badge_;
    bool selected_ = false;
    bool hovered_ = false;
};
