#include "ui/tray/TrayItem.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/desktop/DesktopColorScheme.h"
#include "platform/desktop/TrayPanelShade.h"
#include "store/CleanerStore.h"
#include "ui/design/Palette.h"
#include "ui/design/Translations.h"
#include "ui/tray/PanelPlacement.h"
#include "ui/tray/TrayPanel.h"
#include "ui/tray/TraySymbol.h"
#include "ui/tray/TrayTexts.h"

namespace {

// A press outside the popup that lands on the icon closes the popup this long before the icon
// reports its click.
constexpr int reopenGuardMs = 250;

// The window around the panel: a hairline frame, and Escape closes it in either form.
class PanelWindow : public QWidget {
public:
    PanelWindow(bool popup, std::function<void()> hidden)
        : QWidget(nullptr, popup ? Qt::Popup | Qt::FramelessWindowHint : Qt::Window), hidden_(std::move(hidden))
    {
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle(QStringLiteral("Quillo"));
        Palette::follow(this);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(popup ? 1 : 0, popup ? 1 : 0, popup ? 1 : 0, popup ? 1 : 0);
        layout->setSizeConstraint(QLayout::SetFixedSize);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape)
            close();
        else
            QWidget::keyPressEvent(event);
    }
    void hideEvent(QHideEvent* event) override
    {
        QWidget::hideEvent(event);
        hidden_();
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Palette::canvas.current());
        if (windowType() == Qt::Popup) {
            painter.setPen(QPen(Palette::ink.withOpacity(0.18).current(), 1));
            painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
        }
    }

private:
    std::function<void()> hidden_;
};

// Only X11 lets an application read the pointer anywhere on the screen and put a popup at a
// place of its own choosing.
bool platformPlacesPopups()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

} // namespace

TrayItem::TrayItem(CleanerStore& store, const platform::DesktopColorScheme* desktop, QObject* parent)
    : QObject(parent), store_(store), desktop_(desktop), menu_(std::make_unique<QMenu>())
{
    Translations::install();
    buildMenu();
    icon_.setContextMenu(menu_.get());
    connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason != QSystemTrayIcon::Trigger)
            return;
        clickedAt_ = platformPlacesPopups() ? std::optional(QCursor::pos()) : std::nullopt;
        togglePanel();
    });
    connect(&store_, &CleanerStore::storageChanged, this, &TrayItem::refreshIcon);
    if (desktop_)
        connect(desktop_, &platform::DesktopColorScheme::changed, this, &TrayItem::refreshIcon);
    refreshIcon();
}

TrayItem::~TrayItem()
{
    delete window_;
}

void TrayItem::setVisible(bool visible)
{
    icon_.setVisible(visible);
    if (!visible)
        closePanel();
}

void TrayItem::setShowsFreeSpace(bool shows)
{
    showsFreeSpace_ = shows;
    refreshIcon();
}

void TrayItem::refreshIcon()
{
    const StorageInfo& storage = store_.storage();
    const auto shade = platform::trayPanelShade(desktop_ ? desktop_->current() : std::nullopt);
    icon_.setIcon(TraySymbol::icon(storage.isSpaceLow(), shade));
    icon_.setToolTip(TrayTexts::tooltip(storage, showsFreeSpace_));
}

void TrayItem::buildMenu()
{
    connect(menu_->addAction(tr("Open Quillo")), &QAction::triggered, this,
            [this] { Q_EMIT openRequested(Module::smartScan, false); });
    connect(menu_->addAction(tr("Smart Scan")), &QAction::triggered, this,
            [this] { Q_EMIT openRequested(Module::smartScan, true); });
    connect(menu_->addAction(tr("Settings…")), &QAction::triggered, this, &TrayItem::settingsRequested);
    menu_->addSeparator();
    connect(menu_->addAction(tr("Quit")), &QAction::triggered, this, &TrayItem::quitRequested);
}

bool TrayItem::panelIsPopup() const
{
    return window_ && window_->windowType() == Qt::Popup;
}

TrayPanel* TrayItem::panel() const
{
    return window_ ? window_->findChild<TrayPanel*>() : nullptr;
}

void TrayItem::togglePanel()
{
    if (window_ && window_->isVisible()) {
        closePanel();
        return;
    }
    if (popupClosed_.isValid() && popupClosed_.elapsed() < reopenGuardMs)
        return;
    openPanel();
}

std::optional<QRect> TrayItem::iconPlace() const
{
    const QScreen* screen = clickedAt_ ? QGuiApplication::screenAt(*clickedAt_) : QGuiApplication::primaryScreen();
    if (!screen)
        return std::nullopt;
    return PanelPlacement::iconPlace(icon_.geometry(), clickedAt_, screen->geometry());
}

void TrayItem::openPanel()
{
    const std::optional<QRect> place = platformPlacesPopups() ? iconPlace() : std::nullopt;
    if (window_ && panelIsPopup() != bool(place))
        delete window_;
    if (!window_)
        window_ = makeWindow(bool(place));
    window_->adjustSize();
    if (place) {
        const QScreen* screen = QGuiApplication::screenAt(place->center());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        window_->move(PanelPlacement::beside(*place, window_->size(), screen->geometry(), screen->availableGeometry()));
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void TrayItem::closePanel()
{
    if (window_)
        window_->close();
}

QWidget* TrayItem::makeWindow(bool popup)
{
    auto* window = new PanelWindow(popup, [this, popup] {
        if (popup)
            popupClosed_.start();
    });
    auto* panel = new TrayPanel(store_);
    window->layout()->addWidget(panel);
    auto leaveThen = [this](auto&& next) {
        return [this, next] {
            closePanel();
            next();
        };
    };
    connect(panel, &TrayPanel::openRequested, this,
            [this, leaveThen](Module module) { leaveThen([this, module] { Q_EMIT openRequested(module, false); })(); });
    connect(panel, &TrayPanel::settingsRequested, this, leaveThen([this] { Q_EMIT settingsRequested(); }));
    connect(panel, &TrayPanel::quitRequested, this, leaveThen([this] { Q_EMIT quitRequested(); }));
    return window;
}
