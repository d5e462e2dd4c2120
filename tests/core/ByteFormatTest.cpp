#include <QLocale>

#include <gtest/gtest.h>

#include "core/ByteFormat.h"

using ByteFormat::Parts;
using ByteFormat::Style;

namespace {

class ByteFormatTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

} // namespace

TEST_F(ByteFormatTest, NothingAndLessIsZeroKilobytes)
{
    for (Style style : {Style::file, Style::memory}) {
        for (std::int64_t bytes : {std::int64_t{0}, std::int64_t{-1}, INT64_MIN})
            EXPECT_EQ(ByteFormat::parts(bytes, style), (Parts{"0", "KB"}));
    }
}

TEST_F(ByteFormatTest, DigitsAdaptToTheUnit)
{
    EXPECT_EQ(ByteFormat::string(1, Style::file), "1 byte");
    EXPECT_EQ(ByteFormat::string(999, Style::file), "999 bytes");
    EXPECT_EQ(ByteFormat::string(1000, Style::file), "1 KB");
    EXPECT_EQ(ByteFormat::string(12'345, Style::file), "12 KB");
    EXPECT_EQ(ByteFormat::string(1'000'000, Style::file), "1 MB");
    EXPECT_EQ(ByteFormat::string(1'550'000, Style::file), "1.6 MB");
    EXPECT_EQ(ByteFormat::string(2'000'000'000, Style::file), "2 GB");
    EXPECT_EQ(ByteFormat::string(2'100'000'000, Style::file), "2.1 GB");
    EXPECT_EQ(ByteFormat::string(8'234'000'000, Style::file), "8.23 GB");
    EXPECT_EQ(ByteFormat::string(1'500'000'000'000, Style::file), "1.5 TB");
    EXPECT_EQ(ByteFormat::string(INT64_MAX, Style::file), "9.22 EB");
}

TEST_F(ByteFormatTest, RoundingUpToTheNextUnitChangesTheUnit)
{
    EXPECT_EQ(ByteFormat::string(999'960'000, Style::file), "1 GB");
    EXPECT_EQ(ByteFormat::string(999'500, Style::file), "1 MB");
    EXPECT_EQ(ByteFormat::string(999'400, Style::file), "999 KB");
}

TEST_F(ByteFormatTest, MemoryCountsInPowersOfTwo)
{
    EXPECT_EQ(ByteFormat::string(1023, Style::memory), "1,023 bytes");
    EXPECT_EQ(ByteFormat::string(1024, Style::memory), "1 KB");
    EXPECT_EQ(ByteFormat::string(16LL << 30, Style::memory), "16 GB");
    EXPECT_EQ(ByteFormat::string(3LL << 29, Style::memory), "1.5 GB");
    EXPECT_EQ(ByteFormat::string(1'000'000, Style::memory), "977 KB");
}

TEST_F(ByteFormatTest, PartsSplitAtTheLastWhitespaceAndKeepNone)
{
    EXPECT_EQ(ByteFormat::parts(2'100'000'000, Style::file), (Parts{"2.1", "GB"}));
    EXPECT_EQ(ByteFormat::parts(500, Style::file), (Parts{"500", "bytes"}));
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
