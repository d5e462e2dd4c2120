#include <optional>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/desktop/DesktopNotifier.h"
#include "support/EventLoop.h"
#include "support/PrivateBus.h"

using platform::DesktopNotifier;
using platform::Notification;

namespace {

struct NotifyCall {
    QString applicationName;
    uint replacesId = 0;
    QString icon;
    QString title;
    QString body;
    QStringList actions;
    QVariantMap hints;
};

// Stands in for the desktop's notification server: records each Notify call and answers with a
// fresh notification number.
class FakeNotificationServer : public QDBusVirtualObject {
public:
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.member() != "Notify" || message.arguments().size() != 8)
            return false;
        const auto arguments = message.arguments();
        calls.push_back({arguments[0].toString(), arguments[1].toUInt(), arguments[2].toString(), arguments[3].toString(),
                         arguments[4].toString(), arguments[5].toStringList(),
                         qdbus_cast<QVariantMap>(arguments[6])});
        connection.send(message.createReply(QVariant::fromValue(uint(calls.size() + 40))));
        return true;
    }
    QString introspect(const QString&) const override { return {}; }

    std::vector<NotifyCall> calls;
};

class DesktopNotifierTest : public PrivateBusTest {
protected:
    void startServer()
    {
        serverConnection = QDBusConnection::connectToBus(bus.address(), "fake-notification-server");
        ASSERT_TRUE(serverConnection->registerVirtualObject("/org/freedesktop/Notifications", &server));
        ASSERT_TRUE(serverConnection->registerService("org.freedesktop.Notifications"));
    }

    void TearDown() override
    {
        if (serverConnection)
            QDBusConnection::disconnectFromBus("fake-notification-server");
    }

    // Posts and waits for the service's answer.
    std::optional<bool> post(DesktopNotifier& notifier, const Notification& notification)
    {
        std::optional<bool> shown;
        notifier.post(notification, [&](bool answer) { shown = answer; });
        static_cast<void>(QTest::qWaitFor([&] { return shown.has_value(); }, 10'000));
        return shown;
    }

    FakeNotificationServer server;
    std::optional<QDBusConnection> serverConnection;
};

} // namespace

TEST_F(DesktopNotifierTest, ALaterNotificationReplacesTheOneShownUnderItsIdentifier)
{
    startServer();
    DesktopNotifier notifier(bus.address());
    EXPECT_EQ(post(notifier, {"low-space", "Full", "Only 1 GB left."}), true);
    EXPECT_EQ(post(notifier, {"low-space", "Full", "Only 0.5 GB left."}), true);
    EXPECT_EQ(post(notifier, {"other", "Other", "Body"}), true);
    ASSERT_EQ(server.calls.size(), 3u);
    EXPECT_EQ(server.calls[0].applicationName, "Quillo");
    // Filed under the application's own icon and desktop entry.
    EXPECT_EQ(server.calls[0].icon, "app.quillo.Quillo");
    EXPECT_EQ(server.calls[0].hints.value("desktop-entry").toString(), "app.quillo.Quillo");
    EXPECT_TRUE(server.calls[0].actions.isEmpty());
    EXPECT_EQ(server.calls[0].replacesId, 0u);
    EXPECT_EQ(server.calls[0].title, "Full");
    EXPECT_EQ(server.calls[0].body, "Only 1 GB left.");
    EXPECT_EQ(server.calls[1].replacesId, 41u); // the number the server gave the first
    EXPECT_EQ(server.calls[2].replacesId, 0u);
}

TEST_F(DesktopNotifierTest, WithoutAServiceOrABusItEndsQuietly)
{
    DesktopNotifier noService(bus.address());
    EXPECT_EQ(post(noService, {"low-space", "Full", "Body"}), false);

    DesktopNotifier noBus("unix:path=/nonexistent/quillo-bus");
    EXPECT_EQ(post(noBus, {"low-space", "Full", "Body"}), false);
}

TEST_F(DesktopNotifierTest, ClickingANotificationCallsBackWithItsIdentifier)
{
    startServer();
    DesktopNotifier notifier(bus.address());
    std::vector<QString> opened;
    notifier.setOpenHandler([&](const QString& identifier) { opened.push_back(identifier); });
    EXPECT_EQ(post(notifier, {"low-space", "Full", "Only 1 GB left."}), true);
    ASSERT_EQ(server.calls.size(), 1u);
    EXPECT_EQ(server.calls[0].actions.value(0), "default");

    // Another application's notification, then ours.
    for (uint id : {7u, 41u}) {
        QDBusMessage signal = QDBusMessage::createSignal("/org/freedesktop/Notifications",
                                                         "org.freedesktop.Notifications", "ActionInvoked");
        signal << id << QString("default");
        serverConnection->send(signal);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return !opened.empty(); }, 10'000));
    settle();
    EXPECT_EQ(opened, std::vector<QString>{"low-space"});
}
