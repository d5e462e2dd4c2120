#pragma once

#include <memory>
#include <optional>

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

#include "records/Module.h"

class CleanerStore;
class QMenu;
class TrayPanel;

namespace platform {
class DesktopColorScheme;
}

// Quillo in the system tray: an icon showing whether the disk is nearly full, with the free space
// in its tooltip (no tray draws text beside its icons) and a menu of its own. A click opens the
// panel as a popup beside the icon where the platform tells where the icon is (X11), and as a
// small window otherwise (Wayland), never at a guessed spot. GUI thread only.
class TrayItem : public QObject {
    Q_OBJECT

public:
    // `desktop`, which may be null, tells the desktop's colour scheme, for the panel's shade.
    TrayItem(CleanerStore& store, const platform::DesktopColorScheme* desktop, QObject* parent = nullptr);
    ~TrayItem() override;

    void setVisible(bool visible);
    bool isVisible() const { return icon_.isVisible(); }
    void setShowsFreeSpace(bool shows);

    const QSystemTrayIcon& icon() const { return icon_; }
    QMenu& menu() const { return *menu_; }

    // Opens the panel, or closes it when it is open.
    void togglePanel();
    // The window holding the panel while there is one, and whether it is a popup by the icon.
    QWidget* panelWindow() const { return window_; }
    bool panelIsPopup() const;
    TrayPanel* panel() const;

Q_SIGNALS:
    // The main window should come to the front on `module`, scanning it if asked.
    void openRequested(Module module, bool andScan);
    void settingsRequested();
    void quitRequested();

private:
    void refreshIcon();
    void buildMenu();
    void openPanel();
    void closePanel();
    QWidget* makeWindow(bool popup);
    std::optional<QRect> iconPlace() const;

    CleanerStore& store_;
    const platform::DesktopColorScheme* desktop_;
    QSystemTrayIcon icon_;
    std::unique_ptr<QMenu> menu_;
    QPointer<QWidget> window_;
    bool showsFreeSpace_ = true;
    // Where the pointer was when the icon was clicked, where the platform tells.
    std::optional<QPoint> clickedAt_;
    // A click on the icon while the popup is open first closes the popup; the click itself must
    // not open it again.
    QElapsedTimer popupClosed_;
};
