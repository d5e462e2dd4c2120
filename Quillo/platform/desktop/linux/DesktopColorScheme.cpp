#include "platform/desktop/DesktopColorScheme.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

namespace platform {

namespace {

const QString service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString path = QStringLiteral("/org/freedesktop/portal/desktop");
const QString interface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceNamespace = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");
constexpr int readTimeoutMs = 250;

// The portal's older Read wraps the value in one variant more than ReadOne does; either way the
// number sits at the bottom.
QVariant unwrapped(QVariant value)
{
    while (value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

// 1 asks for dark, 2 for light; 0 (no preference) and anything unknown state nothing.
std::optional<ColorScheme> schemeFromPortalValue(const QVariant& value)
{
    bool isNumber = false;
    const uint number = unwrapped(value).toUInt(&isNumber);
    if (!isNumber)
        return std::nullopt;
    if (number == 1)
        return ColorScheme::dark;
    if (number == 2)
        return ColorScheme::light;
    return std::nullopt;
}

std::optional<ColorScheme> readScheme(const QDBusConnection& bus)
{
    for (const char* method : {"ReadOne", "Read"}) {
        QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, QString::fromLatin1(method));
        call << appearanceNamespace << colorSchemeKey;
        const QDBusMessage reply = bus.call(call, QDBus::Block, readTimeoutMs);
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
            return schemeFromPortalValue(reply.arguments().constFirst());
        // A portal older than ReadOne answers UnknownMethod; anything else will not improve.
        if (reply.errorName() != QLatin1String("org.freedesktop.DBus.Error.UnknownMethod"))
            return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

// Receives the portal's SettingChanged signal; D-Bus delivers signals only to named slots.
class DesktopColorScheme::Listener : public QObject {
    Q_OBJECT

public:
    explicit Listener(DesktopColorScheme& owner) : owner_(owner) {}

public Q_SLOTS:
    void settingChanged(const QString& settingNamespace, const QString& key, const QDBusVariant& value)
    {
        if (settingNamespace == appearanceNamespace && key == colorSchemeKey)
            owner_.set(schemeFromPortalValue(value.variant()));
    }

private:
    DesktopColorScheme& owner_;
};

DesktopColorScheme::DesktopColorScheme(QObject* parent)
    : QObject(parent), listener_(std::make_unique<Listener>(*this))
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // The slot's types are looked up by name, and QDBusVariant is only known by name once registered.
    qRegisterMetaType<QDBusVariant>();
    bus.connect(service, path, interface, QStringLiteral("SettingChanged"), listener_.get(),
                SLOT(settingChanged(QString, QString, QDBusVariant)));
    current_ = readScheme(bus);
}

DesktopColorScheme::~DesktopColorScheme() = default;

void DesktopColorScheme::set(std::optional<ColorScheme> scheme)
{
    if (scheme == current_)
        return;
    current_ = scheme;
    Q_EMIT changed();
}

} // namespace platform

#include "DesktopColorScheme.moc"
