#include "cli/QuilloProcess.h"

#include <unistd.h>

#include "support/EventLoop.h"

#include <QProcess>

namespace {

QuilloRun run(const QStringList& arguments, const std::filesystem::path& home, const std::function<void()>& inChild,
              const std::function<bool(qint64 pid)>& poll)
{
    coreApplication();
    QProcess process;
    if (!home.empty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString folder = QString::fromStdString(home.string());
        environment.insert("HOME", folder);
        environment.insert("XDG_DATA_HOME", folder + "/.local/share");
        environment.insert("XDG_CONFIG_HOME", folder + "/.config");
        environment.insert("XDG_CACHE_HOME", folder + "/.cache");
        // No mounts: the Trash of a real drive of the machine is never listed, let alone emptied.
        environment.insert("QUILLO_MOUNTINFO", "/dev/null");
        process.setProcessEnvironment(environment);
    }
    process.setStandardInputFile(QProcess::nullDevice());
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.start(QStringLiteral(QUILLO_BINARY_DIR "/Quillo/cli/quillo"), arguments);
    if (poll && process.waitForStarted()) {
        while (!process.waitForFinished(2) && process.state() == QProcess::Running && !poll(process.processId())) {
        }
    }
    process.waitForFinished(60'000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

} // namespace

QuilloRun runQuillo(const QStringList& arguments, const std::filesystem::path& home, std::function<void()> inChild)
{
    return run(arguments, home, inChild, {});
}

QuilloRun runQuillo(const QStringList& arguments, const std::filesystem::path& home,
                    const std::function<bool(qint64 pid)>& poll)
{
    return run(arguments, home, {}, poll);
}

std::function<void()> inRemovedWorkingFolder(const std::filesystem::path& folder)
{
    return [folder] {
        if (::chdir(folder.c_str()) != 0 || ::rmdir(folder.c_str()) != 0)
            ::_exit(127);
    };
}
