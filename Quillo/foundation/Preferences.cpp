#include "foundation/Preferences.h"

#include <cmath>
#include <system_error>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStandardPaths>

#include "records/PreferenceKeys.h"
#include "platform/FileContents.h"

namespace {

// Real preferences take a few hundred bytes; a larger file is not ours and counts as corrupt.
constexpr std::size_t maxFileSize = 1'000'000;

// Size and modification time: enough to notice that another process rewrote the file.
QString stampOf(const QString& path)
{
    QFileInfo info(path);
    if (!info.exists())
        return {};
    return QString::number(info.size()) + '@' + QString::number(info.lastModified().toMSecsSinceEpoch()) + '@' +
           QString::number(info.metadataChangeTime().toMSecsSinceEpoch());
}

} // namespace

Preferences& Preferences::standard()
{
    static Preferences* preferences = [] {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Quillo";
        return new Preferences(folder + "/preferences.json");
    }();
    return *preferences;
}

Preferences::Preferences(QString filePath, QObject* parent) : QObject(parent), filePath_(std::move(filePath))
{
    reloadIfChangedOnDisk();
}

void Preferences::registerDefaults(const QJsonObject& defaults)
{
    for (auto it = defaults.begin(); it != defaults.end(); ++it)
        defaults_.insert(it.key(), it.value());
}

void Preferences::registerApplicationDefaults()
{
    registerDefaults({{PreferenceKeys::showInMenuBar, true},
                      {PreferenceKeys::menuBarShowsFreeSpace, true},
                      {PreferenceKeys::lowSpaceAlerts, true}});
}

void Preferences::reloadIfChangedOnDisk() const
{
    const QString stamp = stampOf(filePath_);
    if (stamp == fileStamp_ && state_ != FileState::missing)
        return;
    fileStamp_ = stamp;
    stored_ = {};
    // Never through a link, never a FIFO or device: those would block every run or feed it
    // without end, and the file they stand in for is not ours to overwrite.
    const auto contents = platform::readFileContents(QFile::encodeName(filePath_).toStdString(), maxFileSize);
    if (!contents) {
        const std::error_code error = contents.error();
        if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory)
            state_ = FileState::missing;
        else if (error == std::errc::file_too_large)
            state_ = FileState::corrupt;
        else
            state_ = FileState::unreadable;
        return;
    }
    QJsonParseError error{};
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(contents->data(), static_cast<qsizetype>(contents->size())), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        // An empty file is as good as a missing one; anything else unparsable is kept aside.
        state_ = contents->empty() ? FileState::missing : FileState::corrupt;
        return;
    }
    stored_ = document.object();
    state_ = FileState::loaded;
}

QJsonValue Preferences::value(const QString& key) const
{
    reloadIfChangedOnDisk();
    auto found = stored_.constFind(key);
    if (found != stored_.constEnd())
        return *found;
    return defaults_.value(key);
}

std::optional<bool> Preferences::boolValue(const QString& key) const
{
    const QJsonValue found = value(key);
    return found.isBool() ? std::optional(found.toBool()) : std::nullopt;
}

std::optional<std::int64_t> Preferences::integerValue(const QString& key) const
{
    const QJsonValue found = value(key);
    if (!found.isDouble())
        return std::nullopt;
    const QVariant number = found.toVariant();
    if (number.typeId() == QMetaType::LongLong)
        return number.toLongLong();
    const double real = found.toDouble();
    // Whole numbers that were stored as reals still count; 2^63 itself does not fit.
    if (std::trunc(real) != real || real < -9223372036854775808.0 || real >= 9223372036854775808.0)
        return std::nullopt;
    return static_cast<std::int64_t>(real);
}

std::optional<double> Preferences::doubleValue(const QString& key) const
{
    const QJsonValue found = value(key);
    return found.isDouble() ? std::optional(found.toDouble()) : std::nullopt;
}

std::optional<QString> Preferences::stringValue(const QString& key) const
{
    const QJsonValue found = value(key);
    return found.isString() ? std::optional(found.toString()) : std::nullopt;
}

std::optional<std::vector<std::string>> Preferences::stringListValue(const QString& key) const
{
    const QJsonValue found = value(key);
    if (!found.isArray())
        return std::nullopt;
    std::vector<std::string> texts;
    for (const QJsonValue& element : found.toArray()) {
        if (!element.isString())
            return std::nullopt;
        texts.push_back(element.toString().toStdString());
    }
    return texts;
}

void Preferences::setStringList(const QString& key, const std::vector<std::string>& value)
{
    QJsonArray texts;
    for (const std::string& text : value)
        texts.append(QString::fromStdString(text));
    setValue(key, texts);
}

void Preferences::setValue(const QString& key, const QJsonValue& newValue)
{
    reloadIfChangedOnDisk();
    if (stored_.value(key) == newValue && stored_.contains(key))
        return;
    QJsonObject updated = stored_;
    updated.insert(key, newValue);
    write(updated);
    Q_EMIT changed(key);
}

void Preferences::removeValue(const QString& key)
{
    reloadIfChangedOnDisk();
    if (!stored_.contains(key))
        return;
    QJsonObject updated = stored_;
    updated.remove(key);
    write(updated);
    Q_EMIT changed(key);
}

bool Preferences::write(const QJsonObject& updated)
{
    // The change holds for this run whatever happens to the file.
    stored_ = updated;
    if (state_ == FileState::unreadable)
        return false;
    if (state_ == FileState::corrupt) {
        // Moved, not copied: a corrupt file may be huge.
        QFile::remove(filePath_ + ".corrupt");
        QFile::rename(filePath_, filePath_ + ".corrupt");
    }
    QDir().mkpath(QFileInfo(filePath_).absolutePath());
    QSaveFile file(filePath_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(updated).toJson(QJsonDocument::Indented));
    if (!file.commit())
        return false;
    state_ = FileState::loaded;
    fileStamp_ = stampOf(filePath_);
    return true;
}
