#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/desktop/Autostart.h"
#include "support/IsolatedHome.h"

namespace Autostart = platform::Autostart;

namespace {

const QString id = "app.quillo.AutostartTest";

QString entryPath()
{
    return QString::fromStdString((isolatedHome() / ".config/autostart").string()) + "/" + id + ".desktop";
}

QByteArray entry()
{
    QFile file(entryPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(AutostartTest, SwitchingOnWritesAnEntryThatRunsTheCommandQuotedAndOffRemovesIt)
{
    ASSERT_FALSE(isolatedHome().empty());
    EXPECT_FALSE(Autostart::isEnabled(id));
    ASSERT_TRUE(Autostart::setEnabled(id, true, "Quillo", {"/opt/My \"Apps\"/100%/quillo-app", "--background"}).ok());
    EXPECT_TRUE(Autostart::isEnabled(id));
    // Quotes escaped once for the argument and once more for the value; a per cent sign doubled.
    EXPECT_TRUE(entry().contains("\nExec=\"/opt/My \\\\\"Apps\\\\\"/100%%/quillo-app\" \"--background\"\n"))
        << entry().toStdString();
    ASSERT_TRUE(Autostart::setEnabled(id, false, "Quillo", {"quillo-app"}).ok());
    EXPECT_FALSE(QFile::exists(entryPath()));
    EXPECT_FALSE(Autostart::isEnabled(id));
}

TEST(AutostartTest, AnEntryOfTheSystemsIsOverriddenByAHiddenOneWhenSwitchingOff)
{
    ASSERT_FALSE(isolatedHome().empty());
    QTemporaryDir system;
    ASSERT_TRUE(QDir().mkpath(system.filePath("autostart")));
    QFile shipped(system.filePath("autostart/" + id + ".desktop"));
    ASSERT_TRUE(shipped.open(QIODevice::WriteOnly));
    shipped.write("[Desktop Entry]\nType=Application\nExec=quillo-app\n");
    shipped.close();
    const QByteArray before = qgetenv("XDG_CONFIG_DIRS");
    qputenv("XDG_CONFIG_DIRS", system.path().toUtf8());
    ASSERT_TRUE(Autostart::setEnabled(id, false, "Quillo", {"quillo-app"}).ok());
    EXPECT_TRUE(entry().contains("\nHidden=true\n"));
    EXPECT_FALSE(Autostart::isEnabled(id));
    qputenv("XDG_CONFIG_DIRS", before);
    QFile::remove(entryPath());
}
