#include "foundation/ByteFormat.h"

#include <array>
#include <cmath>

#include <QLocale>

namespace ByteFormat {

namespace {

constexpr std::array<const char*, 6> units = {"KB", "MB", "GB", "TB", "PB", "EB"};

int decimalsFor(std::size_t unitIndex) { return unitIndex == 0 ? 0 : unitIndex == 1 ? 1 : 2; }

QString withoutTrailingZeros(QString number, const QString& decimalPoint)
{
    if (!number.contains(decimalPoint))
        return number;
    while (number.endsWith('0'))
        number.chop(1);
    if (number.endsWith(decimalPoint))
        number.chop(decimalPoint.size());
    return number;
}

} // namespace

QString string(std::int64_t bytes, Style style)
{
    if (bytes < 1)
        return QStringLiteral("0 KB");
    const QLocale locale;
    const double base = style == Style::file ? 1000.0 : 1024.0;
    if (static_cast<double>(bytes) < base)
        return locale.toString(static_cast<qlonglong>(bytes)) + (bytes == 1 ? " byte" : " bytes");

    double value = static_cast<double>(bytes) / base;
    std::size_t unit = 0;
    while (unit + 1 < units.size() && value >= base) {
        value /= base;
        ++unit;
    }
    // 999.96 MB would round to 1000 MB: show it as 1 GB instead.
    const double scale = std::pow(10.0, decimalsFor(unit));
    if (unit + 1 < units.size() && std::round(value * scale) / scale >= base) {
        value /= base;
        ++unit;
    }
    const QString number = withoutTrailingZeros(locale.toString(value, 'f', decimalsFor(unit)), locale.decimalPoint());
    return number + ' ' + units[unit];
}

Parts parts(std::int64_t bytes, Style style)
{
    const QString text = string(bytes, style);
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        if (text.at(i).isSpace())
            return {text.left(i), text.mid(i + 1)};
    }
    return {text, {}};
}

} // namespace ByteFormat
