#pragma once

#include <QMainWindow>

#include "records/Module.h"

class CleanerStore;
class DetailView;
class QAction;
class Sidebar;

// The main window: the sidebar of modules beside the shown module's screen, the Scan menu, and
// the keys desktop users expect. It owns nothing but its widgets; closing it hides it, and the
// application decides whether that ends the run.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static constexpr QSize defaultSize{1160, 780};
    static constexpr QSize minimumContentSize{960, 660};

    explicit MainWindow(CleanerStore& store, QWidget* parent = nullptr);

    Sidebar* sidebar() const { return sidebar_; }
    DetailView* detail() const { return detail_; }
    // The Scan menu's actions: the Smart Scan first, then one per other module in catalogue order.
    const std::vector<QAction*>& scanActions() const { return scanActions_; }
    QAction* rescanAction() const { return rescan_; }
    QAction* stopAction() const { return stop_; }
    QAction* settingsAction() const { return settings_; }
    QAction* quitAction() const { return quit_; }

Q_SIGNALS:
    void settingsRequested();
    void quitRequested();
    // The window was painted for the first time.
    void firstPainted();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void refreshKeys();

    CleanerStore& store_;
    Sidebar* sidebar_;
    DetailView* detail_;
    std::vector<QAction*> scanActions_;
    QAction* rescan_ = nullptr;
    QAction* stop_ = nullptr;
    QAction* settings_ = nullptr;
    QAction* quit_ = nullptr;
    bool painted_ = false;
};
