#include "platform/desktop/FileManager.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUuid>

namespace platform {

namespace {

constexpr const char* service = "org.freedesktop.FileManager1";
constexpr const char* objectPath = "/org/freedesktop/FileManager1";

void openWithDesktop(const QUrl& folder)
{
    QDesktopServices::openUrl(folder);
}

} // namespace

struct FileManager::State {
    State(QDBusConnection bus, FolderOpener opener) : connection(std::move(bus)), openFolder(std::move(opener)) {}
    ~State()
    {
        if (!privateConnectionName.isEmpty())
            QDBusConnection::disconnectFromBus(privateConnectionName);
    }

    QDBusConnection connection;
    FolderOpener openFolder;
    QString privateConnectionName;
};

FileManager::FileManager() : state_(std::make_shared<State>(QDBusConnection::sessionBus(), openWithDesktop)) {}

FileManager::FileManager(const QString& busAddress, FolderOpener openFolder)
{
    const QString name = "quillo-file-manager-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    state_ = std::make_shared<State>(QDBusConnection::connectToBus(busAddress, name), std::move(openFolder));
    state_->privateConnectionName = name;
}

FileManager::~FileManager() = default;

FileManager& FileManager::session()
{
    // Never destroyed: a bus connection must not outlive the application object.
    static auto* manager = new FileManager;
    return *manager;
}

void FileManager::reveal(const QString& path, std::function<void(bool selected)> done)
{
    const QUrl item = QUrl::fromLocalFile(path);
    const QUrl folder = QUrl::fromLocalFile(QFileInfo(path).absolutePath());
    auto fallBack = [state = state_, folder, done] {
        state->openFolder(folder);
        if (done)
            done(false);
    };
    if (!state_->connection.isConnected()) {
        fallBack();
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(service, objectPath, service, "ShowItems");
    // The second argument is the startup notification id, which we do not have.
    call << QStringList{item.toString(QUrl::FullyEncoded)} << QString();
    auto* watcher = new QDBusPendingCallWatcher(state_->connection.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [fallBack, done](QDBusPendingCallWatcher* answer) {
                         // No file manager on the bus (or one that refused): the folder at least.
                         if (answer->isError())
                             fallBack();
                         else if (done)
                             done(true);
                         answer->deleteLater();
                     });
}

} // namespace platform
