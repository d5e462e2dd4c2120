#include <algorithm>
#include <chrono>
#include <random>
#include <set>
#include <unordered_set>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/FileAttributes.h"
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

platform::FileAttributes attributesOf(const std::filesystem::path& path)
{
    return platform::readAttributes(path, platform::AttributeKey::creationDate | platform::AttributeKey::contentIdentifier)
        .value();
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

TEST_F(DuplicatesTest, TheModuleOffersCopiesOfAMillionBytesOutsideLibraryAndApplicationsButTheOldest)
{
    const std::string million = noise(7, 1'000'000);
    for (const char* name : {"Documents/Monday/report.pdf", "Documents/Tuesday/report.pdf", "build/report.pdf"}) {
        write(name, million);
        // Creation dates come from a coarse clock: keep them apart.
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    for (const char* name : {"Library/m3", "Applications/m4", "Documents/build/m6"})
        write(name, million);
    write("Documents/under1", million.substr(1));
    write("Documents/under2", million.substr(1));
    home.symlink("Documents/link", home.path("Documents/Monday/report.pdf"));
    const CategoryResult result = DiskScanner::duplicates(ProgressSink());
    EXPECT_THAT(relativePaths(result, home.root()), UnorderedElementsAre("Documents/Tuesday/report.pdf", "build/report.pdf"));
    for (const ScanItem& item : result.items) {
        EXPECT_EQ(item.detail, "Copy of ~/Documents/Monday/report.pdf");
        EXPECT_EQ(item.originalURL, home.path("Documents/Monday/report.pdf"));
        EXPECT_EQ(item.fingerprint->length, 1'000'000);
        EXPECT_THAT(item.tags, ElementsAre(ScanItem::Tag::copy));
        EXPECT_FALSE(item.isRecommended);
    }
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

// Sets with near-copies, hard links, unreadable copies and a group too large to compare side by
// side: whatever is offered holds the bytes of a copy that stays and is no older than it, copies
// that share storage are never offered, and the pool's scheduling changes neither items nor reports.
TEST_F(DuplicatesTest, EveryOfferedCopyEqualsAnOlderOneThatStaysWhateverTheScheduling)
{
    std::mt19937 random(20240607);
    int counter = 0;
    auto place = [&] { return "r" + std::to_string(random() % 3) + "/d" + std::to_string(random() % 4) + "/f" + std::to_string(counter++); };
    const std::size_t sizes[] = {1, 65'536, 65'537, 131'073, 300'000};
    for (int set = 0; set < 40; ++set) {
        const std::string bytes = noise(static_cast<unsigned>(set), sizes[set % 5] + static_cast<std::size_t>(set));
        std::vector<std::filesystem::path> written{write(place(), bytes)};
        for (int i = 0, files = 1 + static_cast<int>(random() % 5); i < files; ++i) {
            std::string copy = bytes;
            const unsigned kind = random() % 10;
            if (kind >= 5 && kind < 7)
                copy[random() % copy.size()] ^= 1;
            if (kind == 7)
                std::filesystem::create_hard_link(written[random() % written.size()], home.folder(place()) / "link");
            else
                written.push_back(write(place(), copy));
            if (kind >= 8)
                std::filesystem::permissions(written.back(), std::filesystem::perms::none);
        }
    }
    const std::string common = noise(99, 100'000);
    std::string rare = common;
    rare[70'000] ^= 1;
    for (int i = 0; i < 45; ++i)
        write(place(), i % 3 == 0 ? rare : common);

    const std::vector<std::filesystem::path> roots{home.path("r0"), home.path("r1"), home.path("r2")};
    RecordingSink reports;
    const CategoryResult result = DiskScanner::findDuplicates(roots, 1, reports.sink());
    ASSERT_GT(result.items.size(), 50u);
    std::set<std::filesystem::path> offered;
    std::unordered_set<platform::ContentIdentifier> storage;
    for (const ScanItem& item : result.items) {
        offered.insert(item.url);
        const auto copy = attributesOf(item.url);
        EXPECT_TRUE(storage.insert(*copy.contentIdentifier).second) << "offered twice: " << item.url;
        const auto original = attributesOf(*item.originalURL);
        EXPECT_NE(copy.contentIdentifier, original.contentIdentifier) << item.url;
        EXPECT_LE(original.creationDate, copy.creationDate) << item.url;
        EXPECT_EQ(readFile(item.url), readFile(*item.originalURL)) << item.url;
    }
    for (const ScanItem& item : result.items)
        EXPECT_FALSE(offered.contains(*item.originalURL)) << "the copy that stays is offered: " << *item.originalURL;

    for (int run = 1; run <= 2; ++run) {
        RecordingSink again;
        // A slow sink lets the pool run ahead of the reports.
        again.delay = std::chrono::milliseconds(run);
        EXPECT_EQ(DiskScanner::findDuplicates(roots, 1, again.sink()), result);
        EXPECT_EQ(again.reports, reports.reports);
    }
}
