#include "support/PrivateBus.h"

#include <QStandardPaths>

#include "support/EventLoop.h"

PrivateBus::PrivateBus()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        return;
    daemon_.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    if (daemon_.waitForStarted() && daemon_.waitForReadyRead(10'000))
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
}

PrivateBus::~PrivateBus()
{
    daemon_.terminate();
    daemon_.waitForFinished(5'000);
}

void PrivateBusTest::SetUp()
{
    coreApplication();
    if (QStandardPaths::findExecutable("dbus-daemon").isEmpty())
        GTEST_SKIP() << "dbus-daemon is not installed (scripts/bootstrap installs it)";
    ASSERT_FALSE(bus.address().isEmpty());
}
