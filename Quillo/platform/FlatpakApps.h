#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/Result.h"

namespace platform {

// One application a Flatpak installation holds, every branch and architecture of it together.
struct FlatpakApp {
    // The application id ("org.gnome.Maps").
    std::string id;
    // The installation's folder ("~/.local/share/flatpak", "/var/lib/flatpak").
    std::filesystem::path installation;
    // The files of its current deployment (one branch's, where several are installed).
    std::optional<std::filesystem::path> deployFolder;

    // The application's folder in its installation, which holds all it deployed.
    std::filesystem::path location() const { return installation / "app" / id; }

    bool operator==(const FlatpakApp&) const = default;
};

// The applications (not the runtimes) of the user's Flatpak installation, then of each of the
// system's, as Flatpak itself lists them. The user's is not opened while its folder does not
// exist, since opening it would make it; an installation that cannot be read adds nothing. None
// on systems without Flatpak.
std::vector<FlatpakApp> installedFlatpakApps();

// Uninstalls the application whose folder (FlatpakApp::location) is `location` through Flatpak,
// every branch of it with the extensions that belong to it alone (its translations), as
// `flatpak uninstall` does; its files are never removed any other way. A system installation
// asks the user for an administrator's authorisation through the desktop. Fails with ENOENT when
// no installation holds such an application, EACCES when the authorisation was not given and
// EIO when Flatpak fails otherwise; then nothing of it is removed, as far as Flatpak can tell.
// Blocks until done: call it off the GUI thread.
Outcome uninstallFlatpakApp(const std::filesystem::path& location);

} // namespace platform
