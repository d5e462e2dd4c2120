#pragma once

#include <string>

#include <QDateTime>
#include <QJsonObject>
#include <QString>

// What every JSON document of the command line shares (docs/json.md describes them).
namespace JsonOutput {

// The fields a document starts with: {"format": FORMAT, "version": 1, "quillo": VERSION}. A
// reader checks "format" and "version"; fields may be added within a version, never changed.
QJsonObject header(const QString& format);

// A path given to `object` under `key`. JSON text is Unicode and a path is bytes: a path that is
// not valid UTF-8 is written with U+FFFD for what is not, for reading, and its exact bytes go
// beside it in base64 under KEY + "Bytes", for use.
void setPath(QJsonObject& object, const QString& key, const std::string& bytes);
// Whether `bytes` is valid UTF-8.
bool isUtf8(const std::string& bytes);
// Text made from file names (names, details): valid UTF-8 as it is, the rest as U+FFFD.
QString text(const std::string& bytes);

// "2024-06-01T12:00:00Z".
QString utcTime(const QDateTime& time);

// Writes the document to stdout, indented, ending with a newline.
void write(const QJsonObject& document);

} // namespace JsonOutput
