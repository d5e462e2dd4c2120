#include "cli/ArgumentText.h"

#include "cli/Utf8.h"

namespace ArgumentText {

QString fromBytes(std::string_view bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    char32_t codePoint = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        if (const std::size_t length = Utf8::sequenceLength(bytes, at, codePoint)) {
            text += QString::fromUtf8(bytes.data() + at, static_cast<qsizetype>(length));
            at += length;
        } else {
            text += QChar(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(bytes[at])));
            ++at;
        }
    }
    return text;
}

std::string toBytes(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        const bool pairStart = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        if (unit >= 0xDC80 && unit <= 0xDCFF) {
            bytes.push_back(static_cast<char>(unit - 0xDC00));
        } else {
            const qsizetype length = pairStart ? 2 : 1;
            bytes += text.mid(i, length).toStdString();
            i += length - 1;
        }
    }
    return bytes;
}

} // namespace ArgumentText
