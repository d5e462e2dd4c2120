#include "app/MainWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QSplitter>
#include <QWindow>

#include "app/DetailView.h"
#include "app/Sidebar.h"
#include "store/CleanerStore.h"
#include "ui/design/Palette.h"
#include "ui/design/Translations.h"

namespace {

QString title(Module module)
{
    return QCoreApplication::translate("Module", module.title().data());
}

// A module is busy while it, or one of the modules it scans, scans or cleans.
bool isBusy(const CleanerStore& store, Module module, ScanPhase::Kind kind)
{
    if (store.phase(module).kind() == kind)
        return true;
    for (Module target : module.scanTargets())
        if (store.phase(target).kind() == kind)
            return true;
    return false;
}

} // namespace

MainWindow::MainWindow(CleanerStore& store, QWidget* parent)
    : QMainWindow(parent), store_((Translations::install(), store)), sidebar_(new Sidebar(store)),
      detail_(new DetailView(store))
{
    setWindowTitle(QStringLiteral("Quillo"));
    Palette::follow(this);
    auto* split = new QSplitter;
    split->setChildrenCollapsible(false);
    split->setHandleWidth(1);
    split->addWidget(sidebar_);
    split->addWidget(detail_);
    split->setStretchFactor(1, 1);
    split->setSizes({Sidebar::idealWidth, defaultSize.width() - Sidebar::idealWidth});
    setCentralWidget(split);
    buildMenus();
    // The smallest content size is the central area's; the menu bar comes on top of it.
    split->setMinimumSize(minimumContentSize.width(), minimumContentSize.height() - menuBar()->sizeHint().height());
    resize(defaultSize);

    auto keys = [this](Module) { refreshKeys(); };
    connect(&store_, &CleanerStore::phaseChanged, this, keys);
    connect(&store_, &CleanerStore::selectedModuleChanged, this, [this] { refreshKeys(); });
    refreshKeys();
}

void MainWindow::buildMenus()
{
    QMenu* application = menuBar()->addMenu(QStringLiteral("Quillo"));
    settings_ = application->addAction(tr("Settings…"));
    // Qt's standard Preferences key is not Ctrl+, on Linux, so it is named outright.
    settings_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    settings_->setMenuRole(QAction::PreferencesRole);
    connect(settings_, &QAction::triggered, this, &MainWindow::settingsRequested);
    application->addSeparator();
    quit_ = application->addAction(tr("Quit"));
    quit_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit_->setMenuRole(QAction::QuitRole);
    connect(quit_, &QAction::triggered, this, &MainWindow::quitRequested);

    QMenu* scan = menuBar()->addMenu(tr("Scan"));
    for (Module module : Module::allCases()) {
        const bool smart = module == Module::smartScan;
        QAction* action = scan->addAction(smart ? tr("Smart Scan") : tr("Scan %1").arg(title(module)));
        if (smart) {
            // Ctrl on Linux, Command on macOS.
            action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
            scan->addSeparator();
        }
        connect(action, &QAction::triggered, this, [this, module] { store_.open(module, true); });
        scanActions_.push_back(action);
    }

    // Keys without a menu item of their own: they act on the module shown.
    rescan_ = new QAction(tr("Scan Again"), this);
    rescan_->setShortcut(QKeySequence(Qt::Key_F5));
    connect(rescan_, &QAction::triggered, this, [this] { store_.scan(detail_->shownModule()); });
    addAction(rescan_);
    stop_ = new QAction(tr("Stop Scan"), this);
    stop_->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(stop_, &QAction::triggered, this, [this] { store_.cancelScan(detail_->shownModule()); });
    addAction(stop_);
}

void MainWindow::refreshKeys()
{
    const Module shown = store_.selectedModule().value_or(Module::smartScan);
    // A clean in progress is never interrupted by a rescan of what it is removing.
    rescan_->setEnabled(!isBusy(store_, shown, ScanPhase::Kind::cleaning));
    stop_->setEnabled(store_.phase(shown).kind() == ScanPhase::Kind::scanning);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!painted_ && windowHandle())
        windowHandle()->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The window paints everything it shows while it handles its first exposure; what is queued
    // now runs once that is done.
    if (!painted_ && watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed()) {
        painted_ = true;
        windowHandle()->removeEventFilter(this);
        QMetaObject::invokeMethod(this, &MainWindow::firstPainted, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}
