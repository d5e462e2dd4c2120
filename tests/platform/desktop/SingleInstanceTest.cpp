#include <thread>

#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/desktop/SingleInstance.h"
#include "support/EventLoop.h"
#include "support/PrivateBus.h"

using platform::ActivationRequest;
using platform::SingleInstance;

namespace {

class SingleInstanceTest : public PrivateBusTest {
protected:
    // A launch as another process makes it: on a thread of its own, so that the first instance,
    // on this one, can answer while it waits.
    SingleInstance::Role launch(const ActivationRequest& request)
    {
        std::optional<SingleInstance::Role> role;
        std::thread other([&] {
            SingleInstance second("app.quillo.Test", bus.address());
            role = second.claim(request);
        });
        static_cast<void>(QTest::qWaitFor([&] { return role.has_value(); }, 10'000));
        other.join();
        return *role;
    }

};

} // namespace

TEST_F(SingleInstanceTest, ALaterLaunchHandsItsRequestToTheFirstInstance)
{
    SingleInstance first("app.quillo.Test", bus.address());
    ASSERT_EQ(first.claim({}), SingleInstance::Role::first);
    std::vector<ActivationRequest> received;
    QObject::connect(&first, &SingleInstance::activated, [&](const ActivationRequest& r) { received.push_back(r); });

    EXPECT_EQ(launch({"scan", "trash", "token-1"}), SingleInstance::Role::forwarded);
    EXPECT_EQ(launch({{}, {}, {}}), SingleInstance::Role::forwarded);
    settle();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0], (ActivationRequest{"scan", "trash", "token-1"}));
    EXPECT_EQ(received[1], (ActivationRequest{}));
}

TEST_F(SingleInstanceTest, WithoutABusItRunsAlone)
{
    SingleInstance alone("app.quillo.Test", "unix:path=/nonexistent/quillo-bus");
    EXPECT_EQ(alone.claim({}), SingleInstance::Role::alone);
}
