#include <sys/stat.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scan/DiskScanner.h"
#include "scan/FileSize.h"
#include "scan/Measure.h"
#include "support/RecordingSink.h"
#include "support/TempTree.h"

using DiskScanner::Candidate;

namespace {

Candidate candidate(const std::filesystem::path& url)
{
    Candidate c;
    c.url = url;
    c.name = url.filename().string();
    c.tags = {ScanItem::Tag::rebuildable};
    c.isRecommended = true;
    return c;
}

// One candidate per folder "c0" … "cN-1", each holding a file of the size `sizeOf(i)`.
std::vector<Candidate> candidates(const TempTree& tree, int count, std::int64_t (*sizeOf)(int))
{
    std::vector<Candidate> made;
    for (int i = 0; i < count; ++i) {
        tree.file("c" + std::to_string(i) + "/data", sizeOf(i));
        made.push_back(candidate(tree.path("c" + std::to_string(i))));
    }
    return made;
}

// The identity of the entry itself, as the fingerprint keeps it.
Fingerprint identityOf(const std::filesystem::path& path)
{
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0);
    return Fingerprint{st.st_dev, st.st_ino, std::nullopt, std::nullopt};
}

class MeasureTest : public ::testing::Test {
protected:
    void SetUp() override { DiskScanner::setHomeForTesting(tree.root()); }
    TempTree tree;
};

} // namespace

TEST_F(MeasureTest, WhatTakesNoSpaceIsDroppedButStillAdvancesProgress)
{
    tree.folder("empty");
    tree.file("kept/data", 20'000);
    tree.symlink("link", tree.path("kept"));
    const std::vector<Candidate> all{candidate(tree.path("gone")), candidate(tree.path("empty")),
                                     candidate(tree.path("link")), candidate(tree.path("kept"))};
    RecordingSink recorder;
    const auto items = DiskScanner::measure(all, recorder.sink());
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].url, tree.path("kept"));
    EXPECT_THAT(recorder.fractions(), ::testing::ElementsAre(0.25, 0.5, 0.75, 1.0));
    EXPECT_EQ(recorder.reports.back().foundBytes, items[0].size);

    // Asked to, it keeps what is there and takes no space, never what is gone.
    const auto kept = DiskScanner::measure(all, ProgressSink(), {.keepEmpty = true});
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[0].url, tree.path("kept"));
    EXPECT_THAT((std::vector{kept[1].url, kept[2].url}),
                ::testing::UnorderedElementsAre(tree.path("empty"), tree.path("link")));
    EXPECT_EQ(kept[1].size + kept[2].size, 0);
}

TEST_F(MeasureTest, ItemsCarryTheCandidateWithItsExtrasInTheSizeADateAndWhatTheItemWas)
{
    tree.folder("app-empty");
    const auto support = tree.file("support/data", 30'000);
    const auto main = tree.file("main/data", 10'000);
    tree.setModificationTime("main", 1'500'000'000);
    Candidate both = candidate(tree.path("main"));
    both.extraURLs = {tree.path("support")};
    // An empty main location is still offered for what its extras hold; a given date stays.
    Candidate onlyExtra = candidate(tree.path("app-empty"));
    onlyExtra.extraURLs = {tree.path("support")};
    onlyExtra.date = Date(std::chrono::seconds(1'234'567'890));

    const auto log = tree.file("file.log", 5'000);
    tree.setModificationTime("file.log", 1'600'000'000);

    const auto items = DiskScanner::measure({both, onlyExtra, candidate(log)}, ProgressSink());
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].size, allocatedSizeOf(main) + allocatedSizeOf(support));
    EXPECT_EQ(items[0].date, Date(std::chrono::seconds(1'500'000'000)));
    EXPECT_EQ(items[0].extraURLs, both.extraURLs);
    EXPECT_EQ(items[0].fingerprint, identityOf(main.parent_path()));
    EXPECT_EQ(items[1].url, tree.path("app-empty"));
    EXPECT_EQ(items[1].size, allocatedSizeOf(support));
    EXPECT_EQ(items[1].date, onlyExtra.date);
    // A file is also known by its length and modification time, which a rewrite changes.
    Fingerprint file = identityOf(log);
    file.length = 5'000;
    file.modificationDate = Date(std::chrono::seconds(1'600'000'000));
    EXPECT_EQ(items[2].fingerprint, file);
}

// What the user keeps is never offered: a kept item, one inside a kept folder or matching a
// pattern, and a folder that holds something kept, which cleaning would take with it. A kept extra
// location leaves its item, which still goes.
TEST_F(MeasureTest, WhatIsKeptIsNeverOfferedNorTakenWithAnItem)
{
    std::vector<Candidate> all;
    for (const char* folder : {"kept", "inside/kept/x", "Projects/app/build", "holder", "free"}) {
        tree.file(std::string(folder) + "/data", 5'000);
        all.push_back(candidate(tree.path(folder)));
    }
    tree.file("holder/models/weights.bin", 5'000);
    tree.file("support/kept/data", 5'000);
    const auto other = tree.file("support/other/data", 5'000);
    all.back().extraURLs = {tree.path("support/kept"), tree.path("support/other")};
    const std::string root = tree.root().string();
    auto kept = std::make_shared<const platform::PathPatterns>(
        std::vector<std::string>{root + "/kept", root + "/inside/kept", "~/Projects/*/build", root + "/holder/models",
                                 root + "/support/kept"},
        tree.root());

    RecordingSink recorder;
    const auto items = DiskScanner::measure(all, recorder.sink().leavingOut(kept));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].url, tree.path("free"));
    EXPECT_THAT(items[0].extraURLs, ::testing::ElementsAre(tree.path("support/other")));
    EXPECT_EQ(items[0].size, allocatedSizeOf(tree.path("free/data")) + allocatedSizeOf(other));
    EXPECT_EQ(recorder.reports.size(), all.size());
}

TEST_F(MeasureTest, LargestFirstAndEqualSizesInTheOrderTheyFinished)
{
    // Four sizes, ten candidates each: plenty of ties. A slow sink lets the pool run ahead.
    RecordingSink recorder;
    recorder.delay = std::chrono::milliseconds(2);
    const auto items =
        DiskScanner::measure(candidates(tree, 40, [](int i) { return std::int64_t{4096} * (1 + i % 4); }), recorder.sink());
    ASSERT_EQ(items.size(), 40u);
    std::vector<std::string> finishOrder;
    for (const auto& report : recorder.reports)
        finishOrder.push_back(report.path);
    auto finished = [&](const ScanItem& item) {
        return std::find(finishOrder.begin(), finishOrder.end(), DiskScanner::abbreviatedPath(item.url));
    };
    for (std::size_t i = 1; i < items.size(); ++i) {
        ASSERT_GE(items[i - 1].size, items[i].size);
        if (items[i - 1].size == items[i].size) {
            EXPECT_LT(finished(items[i - 1]), finished(items[i]));
        }
    }
    EXPECT_EQ(recorder.reports.back().fraction, 1.0);
}

TEST_F(MeasureTest, ACancelledScanDropsWhatItHasNotMeasuredYetButReportsAll)
{
    std::stop_source stop;
    stop.request_stop();
    RecordingSink recorder;
    const auto all = candidates(tree, 8, [](int) { return std::int64_t{4096}; });
    EXPECT_TRUE(DiskScanner::measure(all, recorder.sink(stop.get_token())).empty());
    EXPECT_EQ(recorder.reports.size(), 8u);
    EXPECT_EQ(recorder.reports.back().fraction, 1.0);
}
