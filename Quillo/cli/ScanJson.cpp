#include "cli/ScanJson.h"

#include <map>

#include <QJsonArray>

#include "cli/JsonOutput.h"
#include "store/CleanerStore.h"

namespace ScanJson {

namespace {

QJsonValue isoDate(const OptionalDate& date)
{
    if (!date)
        return QJsonValue::Null;
    const auto seconds = std::chrono::floor<std::chrono::seconds>(date->time_since_epoch()).count();
    return JsonOutput::utcTime(QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC));
}

void setExtraPaths(QJsonObject& object, const std::vector<std::filesystem::path>& paths)
{
    QJsonArray texts;
    QJsonArray bytes;
    bool allUtf8 = true;
    for (const auto& path : paths) {
        texts.append(JsonOutput::text(path.native()));
        bytes.append(QString::fromLatin1(QByteArray::fromStdString(path.native()).toBase64()));
        allUtf8 &= JsonOutput::isUtf8(path.native());
    }
    object["extra"] = texts;
    if (!allUtf8)
        object["extraBytes"] = bytes;
}

// Copies of one file share the copy that stays: each set gets a number, 1 up, in result order.
std::map<std::filesystem::path, int> duplicateGroups(const CategoryResult& result)
{
    std::map<std::filesystem::path, int> groups;
    for (const ScanItem& found : result.items) {
        if (found.originalURL)
            groups.emplace(*found.originalURL, static_cast<int>(groups.size()) + 1);
    }
    return groups;
}

QJsonObject target(const CleanerStore& store, Module module)
{
    QJsonArray items;
    const CategoryResult* result = store.result(module);
    if (result) {
        const auto groups = duplicateGroups(*result);
        for (const ScanItem& found : result->items) {
            std::optional<int> group;
            if (found.originalURL)
                group = groups.at(*found.originalURL);
            items.append(item(found, group));
        }
    }
    return {{"module", QString::fromUtf8(module.rawValue())},
            {"accessDenied", result && result->accessDenied},
            {"foundBytes", static_cast<qint64>(store.foundBytes(module))},
            {"items", items}};
}

} // namespace

QJsonObject item(const ScanItem& item, std::optional<int> group)
{
    QJsonArray tags;
    for (ScanItem::Tag tag : item.tags)
        tags.append(QString::fromUtf8(rawValue(tag)));
    QJsonObject object{{"name", JsonOutput::text(item.name)},
                       {"detail", JsonOutput::text(item.detail)},
                       {"size", static_cast<qint64>(item.size)},
                       {"date", isoDate(item.date)},
                       {"tags", tags},
                       {"recommended", item.isRecommended},
                       {"icon", QJsonValue::Null},
                       {"bundleID", item.bundleID ? QJsonValue(QString::fromUtf8(*item.bundleID)) : QJsonValue()}};
    JsonOutput::setPath(object, "path", item.url.native());
    if (item.iconURL)
        JsonOutput::setPath(object, "icon", item.iconURL->native());
    setExtraPaths(object, item.extraURLs);
    if (item.originalURL) {
        JsonOutput::setPath(object, "original", item.originalURL->native());
        if (group)
            object["group"] = *group;
    }
    return object;
}

QJsonObject document(const CleanerStore& store, Module module, const QDateTime& scannedAt)
{
    QJsonArray targets;
    for (Module leaf : module.scanTargets())
        targets.append(target(store, leaf));
    QJsonObject document = JsonOutput::header("quillo-scan");
    document["scannedAt"] = JsonOutput::utcTime(scannedAt);
    document["module"] = QString::fromUtf8(module.rawValue());
    document["targets"] = targets;
    document["foundBytes"] = static_cast<qint64>(store.foundBytes(module));
    return document;
}

} // namespace ScanJson
