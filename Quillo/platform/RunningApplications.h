#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/AppBundle.h"

namespace platform {

// The bundle identifiers of the applications running now. Linux: those of the `installed`
// bundles whose "Contents/MacOS" folder holds the executable of a running process (read from
// /proc/PID/exe; processes this user may not inspect are left out). A process whose executable
// was replaced on disk since it started still counts.
std::set<std::string, std::less<>> runningApplicationIdentifiers(const std::vector<AppBundle>& installed);

// The sandboxed applications running now, by the name their sandbox gives them: the application id
// of each Flatpak app (a process whose root holds a ".flatpak-info" naming it) and the snap name of
// each Snap app (a process whose control group is a "snap.<name>." one). Read from `processes`,
// the system's process folder (/proc) but for tests; processes this user may not inspect are left
// out. macOS has neither kind.
std::set<std::string, std::less<>> runningSandboxedApplications(const std::filesystem::path& processes = "/proc");

// What the running processes run, for applications that are neither bundles nor sandboxed. Read
// from `processes` as above.
struct RunningPrograms {
    // The executable of each process (its path when it started, should it be replaced since).
    std::set<std::filesystem::path> executables;
    // The AppImage each process comes from: the `APPIMAGE` variable of its environment, which an
    // AppImage sets for its application and so for all that it starts.
    std::set<std::filesystem::path> appImages;
};
RunningPrograms runningPrograms(const std::filesystem::path& processes = "/proc");

} // namespace platform
