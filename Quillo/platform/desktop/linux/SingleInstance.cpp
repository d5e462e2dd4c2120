#include "platform/desktop/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QUuid>

namespace platform {

namespace {

constexpr const char* applicationInterface = "org.freedesktop.Application";
constexpr int forwardTimeoutMs = 5'000;

// GApplication's object path: the identifier with dots turned into slashes.
QString objectPath(const QString& applicationId)
{
    return QLatin1Char('/') + QString(applicationId).replace(QLatin1Char('.'), QLatin1Char('/'));
}

QVariantMap platformData(const QString& token)
{
    if (token.isEmpty())
        return {};
    // Wayland compositors read the first, X11 window managers the second.
    return {{"activation-token", token}, {"desktop-startup-id", token}};
}

QString tokenOf(const QVariantMap& data)
{
    const QString token = data.value("activation-token").toString();
    return token.isEmpty() ? data.value("desktop-startup-id").toString() : token;
}

QDBusConnection connectionFor(const QString& busAddress, const QString& name)
{
    return busAddress.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection::connectToBus(busAddress, name);
}

} // namespace

// The exported object; the bus calls its slots by their names.
class SingleInstance::Adaptor : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    explicit Adaptor(SingleInstance& owner) : owner_(owner) {}

public Q_SLOTS:
    void Activate(const QVariantMap& platformData) { Q_EMIT owner_.activated({{}, {}, tokenOf(platformData)}); }

    void Open(const QStringList&, const QVariantMap& platformData) { Activate(platformData); }

    void ActivateAction(const QString& action, const QVariantList& parameter, const QVariantMap& platformData)
    {
        const QString text = parameter.isEmpty() ? QString() : parameter.constFirst().toString();
        Q_EMIT owner_.activated({action, text, tokenOf(platformData)});
    }

private:
    SingleInstance& owner_;
};

SingleInstance::SingleInstance(const QString& applicationId, const QString& busAddress, QObject* parent)
    : QObject(parent), applicationId_(applicationId), adaptor_(std::make_unique<Adaptor>(*this))
{
    if (!busAddress.isEmpty()) {
        connectionName_ = "quillo-instance-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
        connectionFor(busAddress, connectionName_);
    }
}

SingleInstance::~SingleInstance()
{
    QDBusConnection bus = connectionName_.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection(connectionName_);
    bus.unregisterObject(objectPath(applicationId_));
    if (!connectionName_.isEmpty())
        QDBusConnection::disconnectFromBus(connectionName_);
}

SingleInstance::Role SingleInstance::claim(const ActivationRequest& request)
{
    QDBusConnection bus = connectionName_.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection(connectionName_);
    if (!bus.isConnected())
        return Role::alone;
    // The object first, so that whoever sees the name finds it answering.
    const QString path = objectPath(applicationId_);
    if (!bus.registerObject(path, adaptor_.get(), QDBusConnection::ExportAllSlots))
        return Role::alone;
    if (bus.registerService(applicationId_))
        return Role::first;
    bus.unregisterObject(path);

    QDBusMessage call;
    if (request.action.isEmpty()) {
        call = QDBusMessage::createMethodCall(applicationId_, path, applicationInterface, "Activate");
        call << platformData(request.activationToken);
    } else {
        call = QDBusMessage::createMethodCall(applicationId_, path, applicationInterface, "ActivateAction");
        const QVariantList parameter = request.parameter.isEmpty() ? QVariantList() : QVariantList{request.parameter};
        call << request.action << QVariant::fromValue(parameter) << platformData(request.activationToken);
    }
    const QDBusMessage reply = bus.call(call, QDBus::Block, forwardTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage ? Role::forwarded : Role::alone;
}

QString SingleInstance::launchToken()
{
    const QString wayland = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    return wayland.isEmpty() ? qEnvironmentVariable("DESKTOP_STARTUP_ID") : wayland;
}

} // namespace platform

#include "SingleInstance.moc"
