#pragma once

#include <filesystem>
#include <string>

#include <QStringList>

struct QuilloRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the built `quillo` with `arguments`, stdin closed (so not a terminal), and, when `home` is
// given, HOME, XDG_DATA_HOME and XDG_CONFIG_HOME pointing into it. When `removedWorkingFolder` is
// given, the program starts in that empty folder, removed just before: its working folder is gone.
QuilloRun runQuillo(const QStringList& arguments, const std::filesystem::path& home = {},
                    const std::filesystem::path& removedWorkingFolder = {});
