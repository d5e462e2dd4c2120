#include "cli/ScanJson.h"

#include <QDateTime>
#include <QJsonArray>

#include "store/CleanerStore.h"

namespace ScanJson {

namespace {

// Length of the valid UTF-8 sequence at `bytes[at]`, or 0 when it is not one (overlong forms,
// surrogates and code points past U+10FFFF count as invalid).
std::size_t validSequenceLength(const std::string& bytes, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    char32_t codePoint = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte(at + i) & 0x3F);
    }
    const bool overlong = (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    return overlong || surrogate || codePoint > 0x10FFFF ? 0 : length;
}

QJsonValue optionalPath(const std::optional<std::filesystem::path>& path)
{
    return path ? QJsonValue(lossless(path->native())) : QJsonValue(QJsonValue::Null);
}

QJsonValue isoDate(const OptionalDate& date)
{
    if (!date)
        return QJsonValue::Null;
    const auto seconds = std::chrono::floor<std::chrono::seconds>(date->time_since_epoch()).count();
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(Qt::ISODate);
}

QJsonObject leaf(const CleanerStore& store, Module module)
{
    QJsonArray items;
    const CategoryResult* result = store.result(module);
    if (result) {
        for (const ScanItem& found : result->items)
            items.append(item(found));
    }
    return {{"module", QString::fromUtf8(module.rawValue())},
            {"accessDenied", result && result->accessDenied},
            {"foundBytes", static_cast<qint64>(store.foundBytes(module))},
            {"items", items}};
}

} // namespace

QString lossless(const std::string& bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t at = 0; at < bytes.size();) {
        if (const std::size_t length = validSequenceLength(bytes, at)) {
            text += QString::fromUtf8(bytes.data() + at, static_cast<qsizetype>(length));
            at += length;
        } else {
            text += QChar(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(bytes[at])));
            ++at;
        }
    }
    return text;
}

QJsonObject item(const ScanItem& item)
{
    QJsonArray tags;
    for (ScanItem::Tag tag : item.tags)
        tags.append(QString::fromUtf8(rawValue(tag)));
    QJsonArray extra;
    for (const auto& url : item.extraURLs)
        extra.append(lossless(url.native()));
    return {{"path", lossless(item.url.native())},
            {"name", lossless(item.name)},
            {"detail", lossless(item.detail)},
            {"size", static_cast<qint64>(item.size)},
            {"date", isoDate(item.date)},
            {"tags", tags},
            {"recommended", item.isRecommended},
            {"icon", optionalPath(item.iconURL)},
            {"extra", extra},
            {"bundleID", item.bundleID ? QJsonValue(QString::fromUtf8(*item.bundleID)) : QJsonValue(QJsonValue::Null)}};
}

QJsonObject module(const CleanerStore& store, Module module)
{
    if (module.isLeaf())
        return leaf(store, module);
    QJsonArray targets;
    for (Module target : module.scanTargets())
        targets.append(leaf(store, target));
    return {{"module", QString::fromUtf8(module.rawValue())},
            {"foundBytes", static_cast<qint64>(store.foundBytes(module))},
            {"targets", targets}};
}

} // namespace ScanJson
