#include "support/IsolatedHome.h"

#include <cstdlib>

#include "support/TempTree.h"

const std::filesystem::path& isolatedHome()
{
    static TempTree tree;
    static const std::filesystem::path home = [] {
        const auto folder = tree.folder("home/user");
        ::setenv("HOME", folder.c_str(), 1);
        ::setenv("XDG_DATA_HOME", (folder / ".local/share").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (folder / ".config").c_str(), 1);
        ::setenv("XDG_CACHE_HOME", (folder / ".cache").c_str(), 1);
        ::setenv("XDG_STATE_HOME", (folder / ".local/state").c_str(), 1);
        // The machine's own Flatpak installations are never listed, let alone changed: the system's
        // is an empty folder of the tree's, and no other is configured.
        ::setenv("FLATPAK_SYSTEM_DIR", tree.folder("flatpak/system").c_str(), 1);
        ::setenv("FLATPAK_CONFIG_DIR", tree.folder("flatpak/config").c_str(), 1);
        return folder;
    }();
    return home;
}

std::filesystem::path emptiedTrash()
{
    const auto trash = isolatedHome() / ".local/share/Trash";
    std::filesystem::remove_all(trash);
    return trash / "files";
}
