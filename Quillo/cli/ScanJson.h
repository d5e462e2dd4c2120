#pragma once

#include <optional>

#include <QDateTime>
#include <QJsonObject>

#include "records/CategoryResult.h"
#include "records/Module.h"

class CleanerStore;

// The "quillo-scan" document: one shape for every module, a leaf having one target.
//   {"format": "quillo-scan", "version": 1, "quillo", "scannedAt", "module", "foundBytes",
//    "targets": [{"module", "accessDenied", "foundBytes", "items": [item...]}]}
namespace ScanJson {

// {"path" (+ "pathBytes"), "name", "detail", "size", "date" (ISO 8601 UTC or null), "tags",
//  "recommended", "icon" (or null; + "iconBytes"), "extra" (+ "extraBytes"), "bundleID" (or null)},
// and for a duplicate "group" and "original" (+ "originalBytes").
QJsonObject item(const ScanItem& item, std::optional<int> group = std::nullopt);

QJsonObject document(const CleanerStore& store, Module module, const QDateTime& scannedAt);

} // namespace ScanJson
