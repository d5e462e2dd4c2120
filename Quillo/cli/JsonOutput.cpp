#include "cli/JsonOutput.h"

#include <cstdio>

#include <QJsonDocument>

#include "cli/Utf8.h"
#include "cli/Version.h"

namespace JsonOutput {

QJsonObject header(const QString& format)
{
    return {{"format", format}, {"version", 1}, {"quillo", quilloVersion()}};
}

bool isUtf8(const std::string& bytes) { return Utf8::isValid(bytes); }

QString text(const std::string& bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    char32_t codePoint = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = Utf8::sequenceLength(bytes, at, codePoint);
        if (length == 0) {
            text += QChar::ReplacementCharacter;
            ++at;
            continue;
        }
        const char32_t one[] = {codePoint};
        text += QString::fromUcs4(one, 1);
        at += length;
    }
    return text;
}

void setPath(QJsonObject& object, const QString& key, const std::string& bytes)
{
    object[key] = text(bytes);
    if (!isUtf8(bytes))
        object[key + QLatin1String("Bytes")] = QString::fromLatin1(QByteArray::fromStdString(bytes).toBase64());
}

QString utcTime(const QDateTime& time) { return time.toUTC().toString(Qt::ISODate); }

void write(const QJsonObject& document)
{
    const QByteArray text = QJsonDocument(document).toJson(QJsonDocument::Indented);
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
}

} // namespace JsonOutput
