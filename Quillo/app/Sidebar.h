#pragma once

#include <vector>

#include <QWidget>

#include "records/Module.h"

class CleanerStore;
class SidebarRow;
class StorageWidget;

// The main window's left column: the brand, the modules (the Smart Scan, then three sections)
// with live badges, and the disk. The shown module is the store's selected one; clicking a row
// selects its module and nothing more. Up and Down move the selection from row to row.
class Sidebar : public QWidget {
    Q_OBJECT

public:
    static constexpr int minimumWidth = 240;
    static constexpr int idealWidth = 260;
    static constexpr int maximumWidth = 320;

    explicit Sidebar(CleanerStore& store, QWidget* parent = nullptr);

    const std::vector<SidebarRow*>& rows() const { return rows_; }
    SidebarRow* row(Module module) const;
    StorageWidget* storageWidget() const { return storage_; }

    QSize sizeHint() const override { return {idealWidth, 600}; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showSelection();
    void moveSelection(int step);

    CleanerStore& store_;
    std::vector<SidebarRow*> rows_;
    StorageWidget* storage_;
};
