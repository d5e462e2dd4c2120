#include "cli/QuilloProcess.h"

#include <unistd.h>

#include <optional>

#include "support/EventLoop.h"

#include <QProcess>

namespace {

struct Launch {
    Launch(QString program, QStringList arguments, std::filesystem::path home)
        : program(std::move(program)), arguments(std::move(arguments)), home(std::move(home))
    {
    }

    QString program;
    QStringList arguments;
    std::filesystem::path home;
    QStringList environment;
    std::function<void()> inChild;
    std::function<bool(qint64 pid)> poll;
    std::optional<std::string> input;
};

QProcessEnvironment environmentFor(const Launch& launch)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The terminal tests choose for themselves; a NO_COLOR of the machine's must not.
    environment.remove("NO_COLOR");
    if (!launch.home.empty()) {
        const QString folder = QString::fromStdString(launch.home.string());
        environment.insert("HOME", folder);
        environment.insert("XDG_DATA_HOME", folder + "/.local/share");
        environment.insert("XDG_CONFIG_HOME", folder + "/.config");
        environment.insert("XDG_CACHE_HOME", folder + "/.cache");
        environment.insert("XDG_STATE_HOME", folder + "/.local/state");
        // No mounts: the Trash of a real drive of the machine is never listed, let alone emptied.
        environment.insert("QUILLO_MOUNTINFO", "/dev/null");
        // Nor is the machine's own Flatpak installation: the system's is the home's (none there).
        environment.insert("FLATPAK_SYSTEM_DIR", folder + "/.flatpak-system");
        environment.insert("FLATPAK_CONFIG_DIR", folder + "/.flatpak-config");
    }
    // Under a sanitizer, what the program leaves behind is checked, less what is not its own;
    // telling the two apart takes whole stacks, through libraries built without frame pointers.
    const auto append = [&](const QString& name, const QString& option) {
        const QString options = environment.value(name);
        environment.insert(name, options.isEmpty() ? option : options + ":" + option);
    };
    append("LSAN_OPTIONS", "suppressions=" QUILLO_SOURCE_DIR "/tests/cli/lsan-suppressions.txt");
    append("ASAN_OPTIONS", "fast_unwind_on_malloc=0");
    for (const QString& entry : launch.environment)
        environment.insert(entry.section('=', 0, 0), entry.section('=', 1));
    return environment;
}

QuilloRun run(const Launch& launch)
{
    coreApplication();
    QProcess process;
    process.setProcessEnvironment(environmentFor(launch));
    if (!launch.input)
        process.setStandardInputFile(QProcess::nullDevice());
    if (launch.inChild)
        process.setChildProcessModifier(launch.inChild);
    process.start(launch.program, launch.arguments);
    if (launch.input && process.waitForStarted()) {
        process.write(launch.input->data(), static_cast<qint64>(launch.input->size()));
        process.closeWriteChannel();
    }
    if (launch.poll && process.waitForStarted()) {
        while (!process.waitForFinished(2) && process.state() == QProcess::Running && !launch.poll(process.processId())) {
        }
    }
    process.waitForFinished(60'000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

} // namespace

QString quilloProgram() { return QStringLiteral(QUILLO_BINARY_DIR "/Quillo/cli/quillo"); }

QString shellQuoted(const QString& text) { return "'" + QString(text).replace("'", "'\\''") + "'"; }

QuilloRun runQuillo(const QStringList& arguments, const std::filesystem::path& home, std::function<void()> inChild)
{
    Launch launch(quilloProgram(), arguments, home);
    launch.inChild = std::move(inChild);
    return run(launch);
}

QuilloRun runQuillo(const QStringList& arguments, const std::filesystem::path& home,
                    const std::function<bool(qint64 pid)>& poll)
{
    Launch launch(quilloProgram(), arguments, home);
    launch.poll = poll;
    return run(launch);
}

QuilloRun runQuilloWithInput(const QStringList& arguments, const std::filesystem::path& home, const std::string& input)
{
    Launch launch(quilloProgram(), arguments, home);
    launch.input = input;
    return run(launch);
}

QuilloRun runQuilloOnTerminal(const QStringList& arguments, const std::filesystem::path& home,
                              const QStringList& environment, const std::string& typed)
{
    QString command = shellQuoted(quilloProgram());
    for (const QString& argument : arguments)
        command += " " + shellQuoted(argument);
    // util-linux's script: -q without its own messages, -e with the program's exit status.
    Launch launch("script", {"-qec", command, "/dev/null"}, home);
    launch.environment = QStringList{"TERM=xterm"} + environment;
    if (!typed.empty())
        launch.input = typed;
    QuilloRun ran = run(launch);
    std::erase(ran.out, '\r');
    return ran;
}

QuilloRun runShell(const QString& script, const std::filesystem::path& home)
{
    Launch launch("bash", {"-c", "set -o pipefail\n" + script}, home);
    launch.environment = {"QUILLO=" + quilloProgram()};
    return run(launch);
}

std::function<void()> inRemovedWorkingFolder(const std::filesystem::path& folder)
{
    return [folder] {
        if (::chdir(folder.c_str()) != 0 || ::rmdir(folder.c_str()) != 0)
            ::_exit(127);
    };
}
