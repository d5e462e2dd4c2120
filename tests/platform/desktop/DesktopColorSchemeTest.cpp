// The desktop colour scheme read from a settings portal, here a stand-in portal on a private bus.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QSignalSpy>
#include <QThread>

#include <atomic>
#include <memory>

#include <gtest/gtest.h>

#include "support/PrivateBus.h"
#include "support/WidgetApplication.h"
#include "platform/desktop/DesktopColorScheme.h"

namespace {

using platform::ColorScheme;

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");

// A bus of the test's own, made the session bus before anything connects to one.
class PrivateSessionBus : public ::testing::Environment {
public:
    void SetUp() override
    {
        bus_ = std::make_unique<PrivateBus>();
        address = bus_->address();
        if (!address.isEmpty())
            qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
    }
    void TearDown() override { bus_.reset(); }

    static inline QString address;

private:
    std::unique_ptr<PrivateBus> bus_;
};

const auto* const privateBus = ::testing::AddGlobalTestEnvironment(new PrivateSessionBus);

// The settings portal's two read methods and its change signal. `modern` portals have ReadOne;
// older ones only Read, which wraps the value in a second variant.
class StandInPortal : public QDBusVirtualObject {
public:
    std::atomic<uint> scheme{0};
    std::atomic<bool> modern{true};

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        const QList<QVariant> arguments = message.arguments();
        const bool asksForScheme = arguments.size() == 2 && arguments[0] == "org.freedesktop.appearance" &&
                                   arguments[1] == "color-scheme";
        if (message.member() == "ReadOne" && modern && asksForScheme)
            return connection.send(message.createReply(QVariant::fromValue(QDBusVariant(uint(scheme)))));
        if (message.member() == "Read" && asksForScheme) {
            const QDBusVariant inner(QVariant::fromValue(uint(scheme)));
            return connection.send(message.createReply(QVariant::fromValue(QDBusVariant(QVariant::fromValue(inner)))));
        }
        return connection.send(message.createErrorReply(QDBusError::UnknownMethod, message.member()));
    }

    QString introspect(const QString&) const override { return {}; }
};

// Serves the stand-in on a connection and thread of its own, so a blocking call from the main
// thread gets its answer.
class PortalFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (PrivateSessionBus::address.isEmpty())
            GTEST_SKIP() << "no dbus-daemon to run a private bus";
        thread_.start();
        portal_.moveToThread(&thread_);
        connection_ = QDBusConnection::connectToBus(PrivateSessionBus::address, QStringLiteral("stand-in-portal"));
        ASSERT_TRUE(connection_.registerVirtualObject(portalPath, &portal_));
        ASSERT_TRUE(connection_.registerService(portalService));
    }

    void TearDown() override
    {
        if (connection_.isConnected())
            QDBusConnection::disconnectFromBus(QStringLiteral("stand-in-portal"));
        thread_.quit();
        thread_.wait(); // the portal may now go with the fixture
    }

    void announce(uint scheme)
    {
        QDBusMessage signal = QDBusMessage::createSignal(portalPath, settingsInterface, QStringLiteral("SettingChanged"));
        signal << QStringLiteral("org.freedesktop.appearance") << QStringLiteral("color-scheme")
               << QVariant::fromValue(QDBusVariant(QVariant::fromValue(scheme)));
        ASSERT_TRUE(connection_.send(signal));
    }

    StandInPortal portal_;
    QThread thread_;
    QDBusConnection connection_{QString()};
};

} // namespace

TEST_F(PortalFixture, ReadsTheSchemeAndFollowsItsChanges)
{
    portal_.scheme = 1;
    platform::DesktopColorScheme desktop;
    EXPECT_EQ(desktop.current(), ColorScheme::dark);

    QSignalSpy changed(&desktop, &platform::DesktopColorScheme::changed);
    announce(2);
    ASSERT_TRUE(changed.wait(3000));
    EXPECT_EQ(desktop.current(), ColorScheme::light);
    announce(0); // no preference any more
    ASSERT_TRUE(changed.wait(3000));
    EXPECT_EQ(desktop.current(), std::nullopt);
}

// An older portal has only Read, which wraps the value in a second variant; an unknown value
// states nothing, as no preference does.
TEST_F(PortalFixture, AnOlderPortalIsReadThroughItsDoubleVariantAndUnknownValuesStateNothing)
{
    portal_.modern = false;
    portal_.scheme = 1;
    EXPECT_EQ(platform::DesktopColorScheme().current(), ColorScheme::dark);
    portal_.scheme = 7;
    EXPECT_EQ(platform::DesktopColorScheme().current(), std::nullopt);
}
