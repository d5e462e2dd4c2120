#include "cli/QuilloProcess.h"

#include "support/EventLoop.h"

#include <QProcess>

QuilloRun runQuillo(const QStringList& arguments, const std::filesystem::path& home)
{
    return runQuillo(arguments, home, [](qint64) { return true; });
}

QuilloRun runQuillo(const QStringList& arguments, const std::filesystem::path& home,
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
        process.setProcessEnvironment(environment);
    }
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QStringLiteral(QUILLO_BINARY_DIR "/Quillo/cli/quillo"), arguments);
    if (process.waitForStarted()) {
        while (!process.waitForFinished(2) && process.state() == QProcess::Running && !poll(process.processId())) {
        }
    }
    process.waitForFinished(60'000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}
