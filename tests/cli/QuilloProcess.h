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
// given, HOME, XDG_DATA_HOME and XDG_CONFIG_HOME pointing into it.
QuilloRun runQuillo(const QStringList& arguments, const std::filesystem::path& home = {});
// The same, calling `poll` with the process id every few milliseconds while the process runs
// (reading its output meanwhile, so that it never waits on a full pipe) until `poll` says done.
QuilloRun runQuillo(const QStringList& arguments, const std::filesystem::path& home,
                    const std::function<bool(qint64 pid)>& poll);
