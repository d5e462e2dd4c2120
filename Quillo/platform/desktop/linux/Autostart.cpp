#include "platform/desktop/Autostart.h"

#include <cerrno>

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include "platform/FileContents.h"

namespace platform::Autostart {

namespace {

QString entryPath(const QString& applicationId)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/autostart/" + applicationId
           + ".desktop";
}

// The entry's Exec value: each argument quoted as the Desktop Entry specification asks, with
// the characters it reserves escaped.
QString execLine(const QStringList& command)
{
    QStringList quoted;
    for (QString argument : command) {
        argument.replace('\\', "\\\\").replace('"', "\\\"").replace('`', "\\`").replace('$', "\\$");
        // Inside a desktop file value a backslash is itself escaped once more, and a per cent
        // sign would start a field code.
        argument.replace('\\', "\\\\").replace('%', "%%");
        quoted << '"' + argument + '"';
    }
    return quoted.join(' ');
}

QByteArray entry(const QString& applicationId, const QString& name, const QStringList& command, bool hidden)
{
    QString text = "[Desktop Entry]\nType=Application\nName=" + name + "\nIcon=" + applicationId
                   + "\nExec=" + execLine(command) + "\nNoDisplay=true\nX-GNOME-Autostart-enabled=true\n";
    if (hidden)
        text += "Hidden=true\n";
    return text.toUtf8();
}

bool systemEntryExists(const QString& applicationId)
{
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation).mid(1))
        if (QFile::exists(folder + "/autostart/" + applicationId + ".desktop"))
            return true;
    return false;
}

Outcome write(const QString& path, const QByteArray& contents)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Outcome::failure(EACCES);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() || !file.commit())
        return Outcome::failure(EIO);
    return std::monostate{};
}

} // namespace

bool isEnabled(const QString& applicationId)
{
    // An entry is small; anything larger, or anything but a regular file, is not ours.
    const Result<std::string> contents = readFileContents(entryPath(applicationId).toStdString(), 64 * 1024);
    if (!contents)
        return false;
    const QByteArray text = QByteArray::fromStdString(*contents);
    for (const QByteArray& line : text.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed == "Hidden=true" || trimmed == "X-GNOME-Autostart-enabled=false")
            return false;
    }
    return text.startsWith("[Desktop Entry]") || text.contains("\n[Desktop Entry]");
}

Outcome setEnabled(const QString& applicationId, bool enabled, const QString& name, const QStringList& command)
{
    const QString path = entryPath(applicationId);
    if (enabled)
        return write(path, entry(applicationId, name, command, false));
    if (systemEntryExists(applicationId))
        return write(path, entry(applicationId, name, command, true));
    if (QFile::exists(path) && !QFile::remove(path))
        return Outcome::failure(EACCES);
    return std::monostate{};
}

} // namespace platform::Autostart
