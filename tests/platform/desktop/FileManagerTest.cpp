#include <optional>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/desktop/FileManager.h"
#include "support/EventLoop.h"
#include "support/PrivateBus.h"

using platform::FileManager;

namespace {

// Stands in for the desktop's file manager: records the items each ShowItems call asks for.
class FakeFileManager : public QDBusVirtualObject {
public:
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.member() != "ShowItems" || message.arguments().size() != 2)
            return false;
        shown.push_back(message.arguments()[0].toStringList());
        connection.send(message.createReply());
        return true;
    }
    QString introspect(const QString&) const override { return {}; }

    std::vector<QStringList> shown;
};

class FileManagerTest : public PrivateBusTest {
protected:
    void TearDown() override { QDBusConnection::disconnectFromBus("fake-file-manager"); }

    std::optional<bool> reveal(FileManager& manager, const QString& path)
    {
        std::optional<bool> selected;
        manager.reveal(path, [&](bool answer) { selected = answer; });
        static_cast<void>(QTest::qWaitFor([&] { return selected.has_value(); }, 10'000));
        return selected;
    }

    FakeFileManager server;
    std::vector<QUrl> opened;
};

} // namespace

TEST_F(FileManagerTest, TheFileManagerShowsTheItemSelectedByItsEncodedUrl)
{
    QDBusConnection connection = QDBusConnection::connectToBus(bus.address(), "fake-file-manager");
    ASSERT_TRUE(connection.registerVirtualObject("/org/freedesktop/FileManager1", &server));
    ASSERT_TRUE(connection.registerService("org.freedesktop.FileManager1"));
    FileManager manager(bus.address(), [&](const QUrl& folder) { opened.push_back(folder); });

    EXPECT_EQ(reveal(manager, "/home/u/My Files/report #1.pdf"), true);
    ASSERT_EQ(server.shown.size(), 1u);
    EXPECT_EQ(server.shown[0], QStringList{"file:///home/u/My%20Files/report%20%231.pdf"});
    EXPECT_TRUE(opened.empty());
}

TEST_F(FileManagerTest, WithoutAFileManagerTheHoldingFolderOpens)
{
    FileManager noService(bus.address(), [&](const QUrl& folder) { opened.push_back(folder); });
    EXPECT_EQ(reveal(noService, "/home/u/Downloads/big.iso"), false);
    FileManager noBus("unix:path=/nonexistent/quillo-bus", [&](const QUrl& folder) { opened.push_back(folder); });
    EXPECT_EQ(reveal(noBus, "/home/u/Downloads/big.iso"), false);
    EXPECT_EQ(opened, (std::vector<QUrl>{QUrl::fromLocalFile("/home/u/Downloads"), QUrl::fromLocalFile("/home/u/Downloads")}));
}
