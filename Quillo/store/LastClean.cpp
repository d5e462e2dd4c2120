#include "store/LastClean.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include "platform/FileContents.h"
#include "platform/HomeDirectory.h"

namespace {

constexpr int formatVersion = 1;
// A few hundred bytes per trashed item: room for far larger cleans than anyone makes.
constexpr std::size_t maxFileSize = 64 * 1024 * 1024;

// Paths are bytes, which JSON text cannot hold: they are kept as base64.
QString encoded(const std::filesystem::path& path)
{
    return QString::fromLatin1(QByteArray::fromStdString(path.native()).toBase64());
}

std::filesystem::path decoded(const QJsonValue& value)
{
    return QByteArray::fromBase64(value.toString().toLatin1()).toStdString();
}

// Devices and inodes take all 64 bits, more than a JSON number holds exactly.
QString number(std::uint64_t value) { return QString::number(value); }

std::uint64_t numberFrom(const QJsonValue& value) { return value.toString().toULongLong(); }

QJsonObject json(const platform::TrashEntry& entry)
{
    return {{"trash", encoded(entry.trash)},
            {"name", encoded(entry.name)},
            {"originalPath", encoded(entry.originalPath)},
            {"device", number(entry.identity.device)},
            {"inode", number(entry.identity.inode)},
            {"changeTimeNs", QString::number(entry.changeTimeNs)}};
}

platform::TrashEntry entryFrom(const QJsonObject& object)
{
    return {decoded(object["trash"]), decoded(object["name"]).native(), decoded(object["originalPath"]),
            {numberFrom(object["device"]), numberFrom(object["inode"])},
            object["changeTimeNs"].toString().toLongLong()};
}

} // namespace

std::filesystem::path LastClean::standardFile()
{
    std::filesystem::path state = qEnvironmentVariable("XDG_STATE_HOME").toStdString();
    if (state.empty() || state.is_relative())
        state = platform::homeDirectory() / ".local/state";
    return state / "Quillo/last-clean.json";
}

std::optional<LastClean> LastClean::read(const std::filesystem::path& file)
{
    const auto contents = platform::readFileContents(file, maxFileSize);
    if (!contents)
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(*contents));
    const QJsonObject root = document.object();
    if (root["version"].toInt() != formatVersion)
        return std::nullopt;
    LastClean record;
    record.deletedForGood = root["deletedForGood"].toBool();
    for (const QJsonValue& itemValue : root["items"].toArray()) {
        const QJsonObject item = itemValue.toObject();
        Item read{decoded(item["url"]), {}};
        for (const QJsonValue& entry : item["entries"].toArray())
            read.entries.push_back(entryFrom(entry.toObject()));
        record.items.push_back(std::move(read));
    }
    return record;
}

bool LastClean::write(const std::filesystem::path& file) const
{
    QJsonArray itemsArray;
    for (const Item& item : items) {
        QJsonArray entries;
        for (const auto& entry : item.entries)
            entries.append(json(entry));
        itemsArray.append(QJsonObject{{"url", encoded(item.url)}, {"entries", entries}});
    }
    const QJsonObject root{{"version", formatVersion}, {"deletedForGood", deletedForGood}, {"items", itemsArray}};
    const QString path = QFile::decodeName(QByteArray::fromStdString(file.native()));
    QDir().mkpath(QFile::decodeName(QByteArray::fromStdString(file.parent_path().native())));
    QSaveFile saving(path);
    if (!saving.open(QIODevice::WriteOnly))
        return false;
    saving.write(QJsonDocument(root).toJson(QJsonDocument::Compact));
    return saving.commit();
}

void LastClean::remove(const std::filesystem::path& file)
{
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
}
