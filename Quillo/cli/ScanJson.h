#pragma once

#include <filesystem>

#include <QJsonObject>
#include <QString>

#include "records/CategoryResult.h"
#include "records/Module.h"

class CleanerStore;

// The JSON shape of scan results on the command line.
namespace ScanJson {

// Text (paths, and names made from file names) as a JSON string without losing a byte: valid
// UTF-8 is kept as it is; each byte that is not part of valid UTF-8 becomes the lone surrogate
// U+DC00 + byte, written "\udcXX" (the "surrogateescape" convention: Python's
// os.fsencode(json.loads(text)) gives the bytes back).
QString lossless(const std::string& bytes);

// {"path", "name", "detail", "size", "date" (ISO 8601 UTC or null), "tags", "recommended",
//  "icon" (or null), "extra", "bundleID" (or null)}
QJsonObject item(const ScanItem& item);

// A leaf: {"module", "accessDenied", "foundBytes", "items"}; the smart scan:
// {"module": "smartScan", "foundBytes", "targets": [leaf...]}.
QJsonObject module(const CleanerStore& store, Module module);

} // namespace ScanJson
