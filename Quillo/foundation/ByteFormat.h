#pragma once

#include <cstdint>

#include <QString>

// How byte counts are written for people: "12 KB", "1.5 MB", "2.04 GB".
namespace ByteFormat {

// `file` counts in thousands (disk sizes), `memory` in 1024s (memory sizes).
enum class Style { file, memory };

struct Parts {
    QString value;
    QString unit;
    bool operator==(const Parts&) const = default;
};

// The whole text: "bytes" below one kilobyte, then KB without decimals, MB with one, GB and
// larger with two, trailing zeros dropped, the locale's decimal separator; "0 KB" below 1 byte.
QString string(std::int64_t bytes, Style style);

// The text split at its last whitespace into number and unit, for display in two sizes; a text
// without whitespace goes whole into `value`.
Parts parts(std::int64_t bytes, Style style);

} // namespace ByteFormat
