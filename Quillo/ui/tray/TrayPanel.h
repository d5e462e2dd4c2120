#pragma once

#include <QWidget>

#include "records/Module.h"

class CleanerStore;
class DiskTile;
class JunkTile;
class MemoryTile;
class PanelHeader;
class SoftButton;
class TrashTile;

// The panel the tray icon opens: the disk, the Smart Scan, memory and the Trash at a glance,
// with quick ways into the main window and a way to undo the last clean while it can be. Everything shown is read from the store; the window
// around it (a popup by the icon, or a small window) is the tray item's.
class TrayPanel : public QWidget {
    Q_OBJECT

public:
    static constexpr int panelWidth = 320;

    explicit TrayPanel(CleanerStore& store, QWidget* parent = nullptr);

    PanelHeader* header() const { return header_; }
    DiskTile* diskTile() const { return disk_; }
    JunkTile* junkTile() const { return junk_; }
    MemoryTile* memoryTile() const { return memory_; }
    TrashTile* trashTile() const { return trash_; }
    SoftButton* openButton() const { return open_; }
    // Shown while the last clean can be undone.
    SoftButton* undoButton() const { return undo_; }
    SoftButton* quitButton() const { return quit_; }

Q_SIGNALS:
    // The main window should come to the front on `module`.
    void openRequested(Module module);
    void settingsRequested();
    void quitRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    CleanerStore& store_;
    PanelHeader* header_;
    DiskTile* disk_;
    JunkTile* junk_;
    MemoryTile* memory_;
    TrashTile* trash_;
    SoftButton* open_;
    SoftButton* undo_;
    SoftButton* quit_;
};
