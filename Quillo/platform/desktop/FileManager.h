#pragma once

#include <functional>
#include <memory>

#include <QString>
#include <QUrl>

namespace platform {

// Shows files in the desktop's file manager. Linux: asks the file manager on the session D-Bus
// (org.freedesktop.FileManager1.ShowItems, which opens the holding folder with the item
// selected); where none answers, the folder that holds the item is opened with the desktop's
// handler instead. Used on the thread that created it, which must run an event loop.
class FileManager {
public:
    // How the fallback opens a folder: the desktop's handler for a folder URL.
    using FolderOpener = std::function<void(const QUrl& folder)>;

    // The file manager of this session.
    FileManager();
    // The one on the bus at `busAddress`, falling back on `openFolder`; for tests.
    FileManager(const QString& busAddress, FolderOpener openFolder);
    ~FileManager();
    FileManager(const FileManager&) = delete;
    FileManager& operator=(const FileManager&) = delete;

    // The file manager of this session, made on first use on the GUI thread and kept to the end.
    static FileManager& session();

    // Shows the file or folder at the absolute `path` selected. Returns at once; `done`, when
    // given, learns later whether the file manager showed it (false: the folder was opened).
    void reveal(const QString& path, std::function<void(bool selected)> done = {});

private:
    struct State;
    std::shared_ptr<State> state_;
};

} // namespace platform
