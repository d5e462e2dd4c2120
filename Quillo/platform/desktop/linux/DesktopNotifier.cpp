#include "platform/desktop/DesktopNotifier.h"

#include <map>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QUuid>

namespace platform {

namespace {

constexpr const char* service = "org.freedesktop.Notifications";
constexpr const char* objectPath = "/org/freedesktop/Notifications";
constexpr const char* applicationName = "Quillo";
// From the freedesktop.org icon naming specification, so every desktop has it.
constexpr const char* iconName = "drive-harddisk";
// The server's own default for how long the notification stays.
constexpr qint32 serverDefaultTimeout = -1;

QDBusMessage notifyCall(const Notification& notification, uint replacesId)
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, objectPath, service, "Notify");
    const QVariantMap hints{{"desktop-entry", "quillo"}, {"urgency", QVariant::fromValue<uchar>(1)}};
    call << QString(applicationName) << replacesId << QString(iconName) << notification.title << notification.body
         << QStringList() << hints << serverDefaultTimeout;
    return call;
}

} // namespace

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
    auto* watcher = new QDBusPendingCallWatcher(state_->connection.asyncCall(notifyCall(notification, replacesId)));
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

} // namespace platform
