#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scan/DiskScanner.h"
#include "scan/routines/Duplicates.h"
#include "support/RecordingSink.h"
#include "support/SparseFile.h"
#include "support/TempTree.h"

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

namespace {

// `size` bytes of noise fixed by `seed`.
std::string noise(unsigned seed, std::size_t size)
{
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator());
    return bytes;
}

std::vector<std::string> relativePaths(const CategoryResult& result, const std::filesystem::path& root)
{
    std::vector<std::string> paths;
    for (const ScanItem& item : result.items)
        paths.push_back(item.url.lexically_relative(root).string());
    return paths;
}

class DuplicatesTest : public ::testing::Test {
protected:
    void SetUp() override { DiskScanner::setHomeForTesting(home.root()); }

    std::filesystem::path write(const std::string& relative, const std::string& bytes) const
    {
        return writeFile(home.path(relative), bytes);
    }

    TempTree home;
};

} // namespace

TEST_F(DuplicatesTest, TheOldestCopyStaysAndTheOthersNameIt)
{
    const std::string bytes = noise(6, 2'000'000);
    for (const char* name : {"Monday/report.pdf", "Tuesday/report.pdf", "Wednesday/report.pdf"}) {
        write(name, bytes);
        // Creation dates come from a coarse clock: keep them apart.
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    const CategoryResult result = DiskScanner::duplicates(ProgressSink());
    EXPECT_FALSE(result.accessDenied);
    EXPECT_THAT(relativePaths(result, home.root()),
                UnorderedElementsAre("Tuesday/report.pdf", "Wednesday/report.pdf"));
    for (const ScanItem& item : result.items) {
        EXPECT_EQ(item.detail, "Copy of ~/Monday/report.pdf");
        EXPECT_EQ(item.originalURL, home.path("Monday/report.pdf"));
        EXPECT_EQ(item.fingerprint->length, 2'000'000);
        EXPECT_THAT(item.tags, ElementsAre(ScanItem::Tag::copy));
        EXPECT_FALSE(item.isRecommended);
    }
}

TEST_F(DuplicatesTest, TheModuleSearchesFilesOfAMillionBytesAndMoreOutsideLibraryAndApplications)
{
    const std::string million = noise(7, 1'000'000);
    for (const char* name : {"Documents/m1", "Documents/m2", "Library/m3", "Applications/m4", "build/m5",
                             "Documents/build/m6"})
        write(name, million);
    write("Documents/under1", million.substr(1));
    write("Documents/under2", million.substr(1));
    home.symlink("Documents/link", home.path("Documents/m1"));
    const CategoryResult result = DiskScanner::duplicates(ProgressSink());
    ASSERT_EQ(result.items.size(), 2u);
    std::vector<std::string> all = relativePaths(result, home.root());
    all.push_back(result.items[0].detail.substr(std::string("Copy of ~/").size()));
    EXPECT_THAT(all, UnorderedElementsAre("Documents/m1", "Documents/m2", "build/m5"));
}

TEST_F(DuplicatesTest, ReportsListingThenEachSharedSizeEndingExactlyComplete)
{
    RecordingSink none;
    write("Documents/a", noise(8, 100));
    write("Documents/b", noise(9, 101));
    EXPECT_TRUE(DiskScanner::findDuplicates({home.path("Documents")}, 1, none.sink()).items.empty());
    EXPECT_EQ(none.reports, (std::vector<ScanProgress>{{0, "Listing files…", 0.02}, {0, "", 1.0}}));

    // Nine shared sizes: (9 × 0.9) ÷ 9 + 0.1 falls just short of 1.0 in floating point.
    for (int size = 1; size <= 9; ++size) {
        write("Documents/x" + std::to_string(size), std::string(size, 'x'));
        write("Documents/y" + std::to_string(size), std::string(size, 'x'));
    }
    RecordingSink recorder;
    EXPECT_EQ(DiskScanner::findDuplicates({home.path("Documents")}, 1, recorder.sink()).items.size(), 9u);
    ASSERT_EQ(recorder.reports.size(), 10u);
    EXPECT_THAT(recorder.reports[1].path, ::testing::StartsWith("~/Documents/"));
    const std::vector<double> fractions = recorder.fractions();
    EXPECT_TRUE(std::is_sorted(fractions.begin(), fractions.end()));
    EXPECT_EQ(recorder.reports.back(), (ScanProgress{45, recorder.reports.back().path, 1.0}));
}

TEST_F(DuplicatesTest, KeepsTheFiveHundredLargestCopies)
{
    // 350 sizes with three files each: 700 copies.
    for (int size = 1; size <= 350; ++size) {
        for (int copy = 0; copy < 3; ++copy)
            write("d" + std::to_string(size % 10) + "/f" + std::to_string(size) + "-" + std::to_string(copy),
                  std::string(size, 'z'));
    }
    const CategoryResult result = DiskScanner::findDuplicates({home.root()}, 1, ProgressSink());
    ASSERT_EQ(result.items.size(), 500u);
    EXPECT_EQ(result.items.front().size, 350);
    EXPECT_EQ(result.items.back().size, 101);
}

TEST_F(DuplicatesTest, SparseCopiesCountTheSpaceTheyTakeAndTheirHolesAreNotRead)
{
    constexpr std::int64_t gigabyte = std::int64_t{1} << 30;
    const std::string data = noise(10, 5'000);
    auto pieces = [&](std::int64_t length, std::vector<SparsePiece> more = {}) {
        more.insert(more.end(), {{8192, data}, {length - 100, data.substr(0, 50)}});
        return more;
    };
    // Side by side: zeros written out in place of a hole are the same content, a byte is not.
    writeSparseFile(home.path("side/hole"), gigabyte, pieces(gigabyte));
    writeSparseFile(home.path("side/zeros"), gigabyte, pieces(gigabyte, {{500'000'000, std::string(70'000, '\0')}}));
    writeSparseFile(home.path("side/byte"), gigabyte, pieces(gigabyte, {{500'000'000, "b"}}));
    // Too many of one length to compare side by side: digested whole.
    constexpr std::int64_t eighth = gigabyte / 8;
    for (int i = 0; i < 34; ++i)
        writeSparseFile(home.path("many/f" + std::to_string(i)), eighth, pieces(eighth));
    writeSparseFile(home.path("many/odd"), eighth, pieces(eighth, {{eighth / 2, "o"}}));

    const std::int64_t readBefore = bytesReadByThisProcess();
    const CategoryResult result = DiskScanner::findDuplicates({home.path("side"), home.path("many")}, 1, ProgressSink());
    EXPECT_LT(bytesReadByThisProcess() - readBefore, 64 << 20);

    std::vector<std::string> side;
    int many = 0;
    for (const ScanItem& item : result.items) {
        EXPECT_EQ(item.size, allocatedSizeOf(item.url)) << item.url;
        if (item.url.parent_path() == home.path("side"))
            side = {item.url.filename().string(), item.originalURL->filename().string()};
        else
            EXPECT_NE(item.url.filename(), "odd");
        many += item.url.parent_path() == home.path("many");
    }
    EXPECT_THAT(side, UnorderedElementsAre("hole", "zeros"));
    EXPECT_EQ(many, 33);
}
