#pragma once

#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

// A D-Bus session bus of the test's own, so that nothing reaches the desktop of whoever runs the
// tests. Its address is empty when dbus-daemon is missing or did not start.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    const QString& address() const { return address_; }

private:
    QProcess daemon_;
    QString address_;
};

// A test that talks over a bus of its own; skipped, with the reason, where dbus-daemon is missing.
class PrivateBusTest : public ::testing::Test {
protected:
    void SetUp() override;

    PrivateBus bus;
};
