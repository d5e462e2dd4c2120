#include "cli/QuilloProcess.h"

#include <unistd.h>

#include "support/EventLoop.h"

#include <QProcess>

QuilloRun runQuillo(const QStringList& arguments, const std::filesystem::path& home,
                    const std::filesystem::path& removedWorkingFolder)
{
    coreApplication();
    QProcess process;
    if (!home.empty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString folder = QString::fromStdString(home.string());
        environment.insert("HOME", folder);
        environment.insert("XDG_DATA_HOME", folder + "/.local/share");
        environment.insert("XDG_CONFIG_HOME", folder + "/.config");
        process.setProcessEnvironment(environment);
    }
    if (!removedWorkingFolder.empty()) {
        // In the child, between fork and exec: only calls that allocate nothing.
        process.setChildProcessModifier([folder = removedWorkingFolder.c_str()] {
            if (::chdir(folder) != 0 || ::rmdir(folder) != 0)
                ::_exit(127);
        });
    }
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QStringLiteral(QUILLO_BINARY_DIR "/Quillo/cli/quillo"), arguments);
    process.waitForFinished(60'000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}
