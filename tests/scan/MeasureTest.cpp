#include <atomic>
#include <mutex>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scan/DiskScanner.h"
#include "scan/FileSize.h"
#include "support/RecordingSink.h"
#include "support/TempTree.h"

using DiskScanner::Candidate;

namespace {

Candidate candidate(const std::filesystem::path& url, std::string name = "")
{
    Candidate c;
    c.url = url;
    c.name = name.empty() ? url.filename().string() : name;
    c.detail = "detail";
    c.tags = {ScanItem::Tag::rebuildable};
    c.isRecommended = true;
    return c;
}

class MeasureTest : public ::testing::Test {
protected:
    void SetUp() override { DiskScanner::setHomeForTesting(tree.root()); }
    TempTree tree;
};

} // namespace

TEST_F(MeasureTest, AnEmptyListReportsOnceComplete)
{
    RecordingSink recorder;
    EXPECT_TRUE(DiskScanner::measure({}, recorder.sink()).empty());
    ASSERT_EQ(recorder.reports.size(), 1u);
    EXPECT_EQ(recorder.reports[0], (ScanProgress{0, "", 1.0}));
}

TEST_F(MeasureTest, WhatTakesNoSpaceIsDroppedButStillAdvancesProgress)
{
    tree.folder("empty");
    tree.file("kept/data", 20'000);
    tree.symlink("link", tree.path("kept"));
    RecordingSink recorder;
    const auto items = DiskScanner::measure(
        {candidate(tree.path("gone")), candidate(tree.path("empty")), candidate(tree.path("link")),
         candidate(tree.path("kept"))},
        recorder.sink());
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].url, tree.path("kept"));
    ASSERT_EQ(recorder.reports.size(), 4u);
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(recorder.reports[i].fraction, (i + 1) / 4.0);
        if (!recorder.reports[i].path.empty())
            paths.push_back(recorder.reports[i].path);
        if (i > 0) {
            EXPECT_GE(recorder.reports[i].foundBytes, recorder.reports[i - 1].foundBytes);
        }
    }
    EXPECT_THAT(paths, ::testing::ElementsAre("~/kept"));
    EXPECT_EQ(recorder.reports.back().foundBytes, items[0].size);
}

TEST_F(MeasureTest, ExtraLocationsAddToTheSizeAndCanCarryAnEmptyMain)
{
    tree.folder("app-empty");
    const auto support = tree.file("support/data", 30'000);
    const auto main = tree.file("main/data", 10'000);
    Candidate both = candidate(tree.path("main"));
    both.extraURLs = {tree.path("support")};
    Candidate onlyExtra = candidate(tree.path("app-empty"));
    onlyExtra.extraURLs = {tree.path("support")};
    const auto items = DiskScanner::measure({both, onlyExtra}, ProgressSink());
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].size, allocatedSizeOf(main) + allocatedSizeOf(support));
    EXPECT_EQ(items[0].url, tree.path("main"));
    EXPECT_EQ(items[0].extraURLs, std::vector<std::filesystem::path>{tree.path("support")});
    EXPECT_EQ(items[1].url, tree.path("app-empty"));
    EXPECT_EQ(items[1].size, allocatedSizeOf(support));
}

TEST_F(MeasureTest, AGivenDateStaysAMissingOneIsTheModificationDate)
{
    tree.file("dated", 5'000);
    tree.file("undated", 5'000);
    tree.setModificationTime("undated", 1'500'000'000);
    Candidate dated = candidate(tree.path("dated"));
    dated.date = Date(std::chrono::seconds(1'234'567'890));
    const auto items = DiskScanner::measure({dated, candidate(tree.path("undated"))}, ProgressSink());
    ASSERT_EQ(items.size(), 2u);
    for (const ScanItem& item : items) {
        const auto expected = item.url == tree.path("dated") ? 1'234'567'890 : 1'500'000'000;
        EXPECT_EQ(item.date, Date(std::chrono::seconds(expected)));
    }
}

TEST_F(MeasureTest, EveryFieldIsCarriedOver)
{
    tree.file("x/data", 5'000);
    Candidate c = candidate(tree.path("x"), "Shown name");
    c.tags = {ScanItem::Tag::running, ScanItem::Tag::old};
    c.isRecommended = false;
    c.iconURL = tree.path("icon.app");
    c.bundleID = "com.example.x";
    const auto items = DiskScanner::measure({c}, ProgressSink());
    ASSERT_EQ(items.size(), 1u);
    const ScanItem& item = items[0];
    EXPECT_EQ(item.name, "Shown name");
    EXPECT_EQ(item.detail, "detail");
    EXPECT_EQ(item.tags, c.tags);
    EXPECT_FALSE(item.isRecommended);
    EXPECT_EQ(item.iconURL, c.iconURL);
    EXPECT_EQ(item.bundleID, c.bundleID);
}

TEST_F(MeasureTest, LargestFirstAndEqualSizesInTheOrderTheyFinished)
{
    std::vector<Candidate> candidates;
    for (int i = 0; i < 40; ++i) {
        // Four sizes, ten candidates each: plenty of ties.
        tree.file("c" + std::to_string(i) + "/data", 4096 * (1 + i % 4));
        candidates.push_back(candidate(tree.path("c" + std::to_string(i))));
    }
    RecordingSink recorder;
    const auto items = DiskScanner::measure(candidates, recorder.sink());
    ASSERT_EQ(items.size(), 40u);
    std::vector<std::string> finishOrder;
    for (const auto& report : recorder.reports)
        finishOrder.push_back(report.path);
    for (std::size_t i = 1; i < items.size(); ++i) {
        ASSERT_GE(items[i - 1].size, items[i].size);
        if (items[i - 1].size == items[i].size) {
            auto before = std::find(finishOrder.begin(), finishOrder.end(), DiskScanner::abbreviatedPath(items[i - 1].url));
            auto after = std::find(finishOrder.begin(), finishOrder.end(), DiskScanner::abbreviatedPath(items[i].url));
            EXPECT_LT(before, after);
        }
    }
    EXPECT_DOUBLE_EQ(recorder.reports.back().fraction, 1.0);
}

TEST_F(MeasureTest, ASlowSinkHoldsTheResultsBack)
{
    for (int i = 0; i < 6; ++i)
        tree.file("c" + std::to_string(i) + "/data", 4096);
    std::vector<Candidate> candidates;
    for (int i = 0; i < 6; ++i)
        candidates.push_back(candidate(tree.path("c" + std::to_string(i))));
    RecordingSink recorder;
    recorder.delay = std::chrono::milliseconds(20);
    const auto items = DiskScanner::measure(candidates, recorder.sink());
    EXPECT_EQ(items.size(), 6u);
    EXPECT_EQ(recorder.reports.size(), 6u);
}

TEST_F(MeasureTest, ACancelledScanDropsWhatItHasNotMeasuredYetButReportsAll)
{
    std::vector<Candidate> candidates;
    for (int i = 0; i < 8; ++i) {
        tree.file("c" + std::to_string(i) + "/data", 4096);
        candidates.push_back(candidate(tree.path("c" + std::to_string(i))));
    }
    std::stop_source stop;
    stop.request_stop();
    RecordingSink recorder;
    EXPECT_TRUE(DiskScanner::measure(candidates, recorder.sink(stop.get_token())).empty());
    EXPECT_EQ(recorder.reports.size(), 8u);
    EXPECT_DOUBLE_EQ(recorder.reports.back().fraction, 1.0);
}
