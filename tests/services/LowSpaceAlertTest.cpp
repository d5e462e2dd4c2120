#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "foundation/Preferences.h"
#include "platform/PlatformWords.h"
#include "records/PreferenceKeys.h"
#include "services/LowSpaceAlert.h"

namespace {

constexpr std::int64_t GB = 1'000'000'000;
constexpr double day = 86'400;
constexpr double start = 1'700'000'000;

class LowSpaceAlertTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // Runs the check at `now` with `store` (the test's preferences unless given) and returns what
    // it posted.
    std::vector<platform::Notification> check(std::int64_t total, std::int64_t available, double now,
                                              Preferences* store = nullptr)
    {
        std::vector<platform::Notification> posted;
        const LowSpaceAlert::Services services{store ? *store : preferences, now,
                                               [&](const platform::Notification& alert) { posted.push_back(alert); }};
        LowSpaceAlert::checkIfNeeded({"Data", total, available}, services);
        return posted;
    }

    bool alerts(std::int64_t total, std::int64_t available)
    {
        preferences.removeValue(PreferenceKeys::lastLowSpaceAlert);
        return !check(total, available, start).empty();
    }

    QTemporaryDir folder;
    Preferences preferences{folder.filePath("preferences.json")};
};

} // namespace

TEST_F(LowSpaceAlertTest, AlertsAboveNinetyPercentUsedOrBelowTenGigabytesFree)
{
    EXPECT_TRUE(alerts(500 * GB, 40 * GB));  // 92 % used
    EXPECT_FALSE(alerts(500 * GB, 60 * GB)); // 88 % used
    EXPECT_FALSE(alerts(100 * GB, 10 * GB)); // exactly 90 % and exactly 10 GB: neither is past its limit
    EXPECT_TRUE(alerts(100 * GB, 10 * GB - 1));
    EXPECT_TRUE(alerts(64 * GB, 9 * GB)); // 86 % used, but less than 10 GB free
    EXPECT_FALSE(alerts(0, 0));
    EXPECT_FALSE(alerts(-1, 0));
    // More available than total counts as nothing used: only the free-space rule is left.
    EXPECT_FALSE(alerts(20 * GB, 30 * GB));
    EXPECT_TRUE(alerts(2 * GB, 3 * GB));
}

TEST_F(LowSpaceAlertTest, AlertsAtMostOnceADayAcrossRestarts)
{
    const auto posted = check(500 * GB, 1 * GB, start);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].identifier, "low-space"); // replaces the one still shown
    EXPECT_EQ(posted[0].title.toStdString(), platform::platformWords().computerIsAlmostFull);
    EXPECT_EQ(preferences.doubleValue(PreferenceKeys::lastLowSpaceAlert), start);
    EXPECT_TRUE(check(500 * GB, 1 * GB, start + 20).empty());

    Preferences reopened(preferences.filePath());
    EXPECT_TRUE(check(500 * GB, 1 * GB, start + day, &reopened).empty()); // exactly a day is not more than a day
    EXPECT_EQ(check(500 * GB, 1 * GB, start + day + 0.5).size(), 1u);
    EXPECT_EQ(preferences.doubleValue(PreferenceKeys::lastLowSpaceAlert), start + day + 0.5);
}

TEST_F(LowSpaceAlertTest, StaysSilentWhileSwitchedOff)
{
    preferences.setBool(PreferenceKeys::lowSpaceAlerts, false);
    EXPECT_TRUE(check(500 * GB, 1 * GB, start).empty());
    EXPECT_FALSE(preferences.doubleValue(PreferenceKeys::lastLowSpaceAlert));
    preferences.setBool(PreferenceKeys::lowSpaceAlerts, true);
    EXPECT_EQ(check(500 * GB, 1 * GB, start).size(), 1u);
}

TEST_F(LowSpaceAlertTest, ALastAlertTimeThatCannotBeTrueCountsAsNone)
{
    preferences.setString(PreferenceKeys::lastLowSpaceAlert, "yesterday");
    EXPECT_EQ(check(500 * GB, 1 * GB, start).size(), 1u);

    // Written by a clock that ran far ahead: kept, it would silence the alert for years.
    preferences.setDouble(PreferenceKeys::lastLowSpaceAlert, start + 100 * 365 * day);
    EXPECT_EQ(check(500 * GB, 1 * GB, start).size(), 1u);

    QFile file(preferences.filePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{\"lastLowSpaceAlert\": ");
    file.close();
    Preferences corrupt(preferences.filePath());
    EXPECT_EQ(check(500 * GB, 1 * GB, start, &corrupt).size(), 1u);
}
