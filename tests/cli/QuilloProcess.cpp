#include "cli/QuilloProcess.h"

#include <unistd.h>

#include "support/EventLoop.h"

#include <QProcess>

QuilloRun runQuillo(const QStringList& arguments, const std::filesystem::path& home, std::function<void()> inChild)
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
    process.setStandardInputFile(QProcess::nullDevice());
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.start(QStringLiteral(QUILLO_BINARY_DIR "/Quillo/cli/quillo"), arguments);
    process.waitForFinished(60'000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

std::function<void()> inRemovedWorkingFolder(const std::filesystem::path& folder)
{
    return [folder] {
        if (::chdir(folder.c_str()) != 0 || ::rmdir(folder.c_str()) != 0)
            ::_exit(127);
    };
}
