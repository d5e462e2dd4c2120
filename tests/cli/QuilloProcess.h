#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include <QStringList>

struct QuilloRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the built `quillo` with `arguments`, stdin closed (so not a terminal), and, when `home` is
// given, HOME, XDG_DATA_HOME and XDG_CONFIG_HOME pointing into it. `inChild` runs in the new
// process before the program starts (to change its user or limits). A run ended by a signal has
// status -1.
QuilloRun runQuillo(const QStringList& arguments, const std::filesystem::path& home = {},
                    std::function<void()> inChild = {});

// For `inChild`: the program starts in the empty folder `folder`, removed just before, so its
// working folder is gone. Only calls that allocate nothing run between fork and exec.
std::function<void()> inRemovedWorkingFolder(const std::filesystem::path& folder);
// The same, calling `poll` with the process id every few milliseconds while the process runs
// (reading its output meanwhile, so that it never waits on a full pipe) until `poll` says done.
QuilloRun runQuillo(const QStringList& arguments, const std::filesystem::path& home,
                    const std::function<bool(qint64 pid)>& poll);
