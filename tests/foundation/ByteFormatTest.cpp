#include <QLocale>

#include <gtest/gtest.h>

#include "foundation/ByteFormat.h"

using ByteFormat::Parts;
using ByteFormat::Style;

namespace {

class ByteFormatTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

} // namespace

TEST_F(ByteFormatTest, DigitsAdaptToTheUnitAndRoundingMayChangeIt)
{
    const struct {
        std::int64_t bytes;
        Style style;
        const char* text;
    } cases[] = {
        {0, Style::file, "0 KB"}, {INT64_MIN, Style::file, "0 KB"}, {1, Style::file, "1 byte"},
        {12'345, Style::file, "12 KB"}, {1'550'000, Style::file, "1.6 MB"}, {8'234'000'000, Style::file, "8.23 GB"},
        {INT64_MAX, Style::file, "9.22 EB"},
        // Rounding up to the next unit shows that unit.
        {999'960'000, Style::file, "1 GB"}, {999'400, Style::file, "999 KB"},
        // Memory counts in powers of two.
        {1023, Style::memory, "1,023 bytes"}, {3LL << 29, Style::memory, "1.5 GB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ByteFormat::string(c.bytes, c.style), c.text) << c.bytes;
}

TEST_F(ByteFormatTest, PartsSplitAtTheLastWhitespaceAndKeepNone)
{
    EXPECT_EQ(ByteFormat::parts(2'100'000'000, Style::file), (Parts{"2.1", "GB"}));
    for (std::int64_t bytes = 1; bytes < INT64_MAX / 7; bytes = bytes * 7 + 3) {
        const Parts parts = ByteFormat::parts(bytes, Style::file);
        EXPECT_FALSE(parts.value.isEmpty());
        for (QChar c : parts.value + parts.unit)
            EXPECT_FALSE(c.isSpace()) << bytes;
    }
}

TEST_F(ByteFormatTest, TheLocaleChoosesTheDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(ByteFormat::parts(1'550'000, Style::file), (Parts{"1,6", "MB"}));
    EXPECT_EQ(ByteFormat::parts(2'000'000'000, Style::file), (Parts{"2", "GB"}));
}
