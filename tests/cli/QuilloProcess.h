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

// The built `quillo`.
QString quilloProgram();

// Runs the built `quillo` with `arguments`, stdin closed (so not a terminal), and, when `home` is
// given, HOME and the XDG folders pointing into it (so nothing of the machine's own is read or
// touched). `inChild` runs in the new process before the program starts (to change its user or
// limits). A run ended by a signal has status -1.
QuilloRun runQuillo(const QStringList& arguments, const std::filesystem::path& home = {},
                    std::function<void()> inChild = {});

// For `inChild`: the program starts in the empty folder `folder`, removed just before, so its
// working folder is gone. Only calls that allocate nothing run between fork and exec.
std::function<void()> inRemovedWorkingFolder(const std::filesystem::path& folder);
// The same, calling `poll` with the process id every few milliseconds while the process runs
// (reading its output meanwhile, so that it never waits on a full pipe) until `poll` says done.
QuilloRun runQuillo(const QStringList& arguments, const std::filesystem::path& home,
                    const std::function<bool(qint64 pid)>& poll);
// The same, with `input` on its standard input.
QuilloRun runQuilloWithInput(const QStringList& arguments, const std::filesystem::path& home, const std::string& input);

// On a terminal of its own (a pseudo-terminal made by `script`), as a person runs it, with
// TERM=xterm and the `environment` entries ("NAME=value") added, `typed` typed on the terminal:
// `out` holds all the terminal was sent, standard error and the echo of what was typed
// included, with the terminal's "\r\n" made "\n".
QuilloRun runQuilloOnTerminal(const QStringList& arguments, const std::filesystem::path& home,
                              const QStringList& environment = {}, const std::string& typed = {});

// Runs a bash script (with `set -o pipefail`) in which $QUILLO names the built program, in
// `home` as above.
QuilloRun runShell(const QString& script, const std::filesystem::path& home);

// `text` quoted for a POSIX shell.
QString shellQuoted(const QString& text);
