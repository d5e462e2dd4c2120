#include "platform/desktop/DesktopNotifier.h"

#include <map>

#include <QCoreApplication>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QUuid>

#include "platform/OwnBundleIdentifier.h"

namespace platform {

namespace {

constexpr const char* service = "org.freedesktop.Notifications";
constexpr const char* objectPath = "/org/freedesktop/Notifications";
constexpr const char* applicationName = "Quillo";
// The server's own default for how long the notification stays.
constexpr qint32 serverDefaultTimeout = -1;
// The action a click on the notification's body invokes.
constexpr const char* defaultAction = "default";

// The application's icon and its desktop entry share the application's identifier.
QString applicationId()
{
    return QString::fromUtf8(ownBundleIdentifier.data(), qsizetype(ownBundleIdentifier.size()));
}

QDBusMessage notifyCall(const Notification& notification, uint replacesId, bool opens)
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, objectPath, service, "Notify");
    const QVariantMap hints{{"desktop-entry", applicationId()}, {"urgency", QVariant::fromValue<uchar>(1)}};
    QStringList actions;
    if (opens)
        actions << defaultAction << QCoreApplication::translate("DesktopNotifier", "Open Quillo");
    call << QString(applicationName) << replacesId << applicationId() << notification.title << notification.body
         << actions << hints << serverDefaultTimeout;
    return call;
}

} // namespace

// Receives the service's ActionInvoked signal; D-Bus delivers signals only to named slots.
class NotificationActionListener : public QObject {
    Q_OBJECT

public:
    std::function<void(uint id, const QString& action)> invoked;

public Q_SLOTS:
    void actionInvoked(uint id, const QString& action)
    {
        if (invoked)
            invoked(id, action);
    }
};

struct DesktopNotifier::State {
    explicit State(QDBusConnection bus) : connection(std::move(bus)) {}
    ~State()
    {
        if (!privateConnectionName.isEmpty())
            QDBusConnection::disconnectFromBus(privateConnectionName);
    }

    QDBusConnection connection;
    QString privateConnectionName;
    // The service's number for what it shows under each identifier.
    std::map<QString, uint> shownIds;
    std::function<void(const QString&)> opened;
    std::unique_ptr<NotificationActionListener> listener;

    void listen()
    {
        if (listener || !connection.isConnected())
            return;
        listener = std::make_unique<NotificationActionListener>();
        listener->invoked = [this](uint id, const QString& action) {
            if (action != QLatin1String(defaultAction) || !opened)
                return;
            for (const auto& [identifier, shownId] : shownIds)
                if (shownId == id)
                    return opened(identifier);
        };
        connection.connect(service, objectPath, service, "ActionInvoked", listener.get(),
                           SLOT(actionInvoked(uint, QString)));
    }
};

DesktopNotifier::DesktopNotifier() : state_(std::make_shared<State>(QDBusConnection::sessionBus())) {}

DesktopNotifier::DesktopNotifier(const QString& busAddress)
{
    const QString name = "quillo-notifier-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    state_ = std::make_shared<State>(QDBusConnection::connectToBus(busAddress, name));
    state_->privateConnectionName = name;
}

DesktopNotifier::~DesktopNotifier() = default;

DesktopNotifier& DesktopNotifier::session()
{
    // Never destroyed: a bus connection must not outlive the application object.
    static auto* notifier = new DesktopNotifier;
    return *notifier;
}

void DesktopNotifier::post(const Notification& notification, std::function<void(bool shown)> done)
{
    if (!state_->connection.isConnected()) {
        if (done)
            done(false);
        return;
    }
    const auto known = state_->shownIds.find(notification.identifier);
    const uint replacesId = known == state_->shownIds.end() ? 0 : known->second;
    const bool opens = bool(state_->opened);
    auto* watcher = new QDBusPendingCallWatcher(state_->connection.asyncCall(notifyCall(notification, replacesId, opens)));
    // The state, not the notifier, is kept alive by the answer still to come.
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [state = state_, identifier = notification.identifier, done](QDBusPendingCallWatcher* call) {
                         const QDBusPendingReply<uint> reply = *call;
                         if (!reply.isError())
                             state->shownIds[identifier] = reply.value();
                         if (done)
                             done(!reply.isError());
                         call->deleteLater();
                     });
}

void DesktopNotifier::setOpenHandler(std::function<void(const QString& identifier)> opened)
{
    state_->opened = std::move(opened);
    state_->listen();
}

} // namespace platform

#include "DesktopNotifier.moc"
