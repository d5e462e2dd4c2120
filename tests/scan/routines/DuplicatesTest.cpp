#include <algorithm>
#include <chrono>
#include <fstream>
#include <random>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scan/DiskScanner.h"
#include "scan/duplicates/ContentDigest.h"
#include "scan/duplicates/FilesBySize.h"
#include "scan/duplicates/IdenticalSets.h"
#include "scan/routines/Duplicates.h"
#include "support/RecordingSink.h"
#include "support/SparseFile.h"
#include "support/TempTree.h"

using DiskScanner::FileInfo;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
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

FileInfo infoOf(const std::filesystem::path& path)
{
    FileInfo info;
    info.url = path;
    info.size = static_cast<std::int64_t>(std::filesystem::file_size(path));
    auto attributes = platform::readAttributes(path, platform::AttributeKey::contentIdentifier);
    if (attributes)
        info.contentID = attributes->contentIdentifier;
    return info;
}

std::vector<std::vector<std::string>> setNames(const DiskScanner::IdenticalSets& sets)
{
    std::vector<std::vector<std::string>> names;
    for (const auto& set : sets) {
        auto& current = names.emplace_back();
        for (const FileInfo& file : set)
            current.push_back(file.url.filename().string());
    }
    return names;
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

TEST(ContentDigest, Sha256InLowerCaseHexOfTheWholeFileOrItsBeginning)
{
    TempTree tree;
    const auto abc = writeFile(tree.path("abc"), "abc");
    EXPECT_EQ(DiskScanner::hash(abc, std::nullopt), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(DiskScanner::hash(abc, 2), "fb8e20fc2e4c3f248c60c39bd652f3c1347298bb977b8b4d5903b85055620603");
    const std::string empty = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";
    EXPECT_EQ(DiskScanner::hash(abc, 0), empty);
    EXPECT_EQ(DiskScanner::hash(tree.file("empty"), std::nullopt), empty);
    // Several read chunks, and a limit that ends inside the first.
    const auto large = tree.file("large", 3'000'000, 'x');
    EXPECT_EQ(DiskScanner::hash(large, std::nullopt), "e55b8bdf621ddaa8f462c74745db9680d3bb7536a9cf854f8d6668b34a287890");
    EXPECT_EQ(DiskScanner::hash(large, 65'536), "1f8745f0d2d1387ec1af2211a3cf417b2e9e885e853472649c1d979d0e9370e3");
}

TEST(ContentDigest, NothingForWhatCannotBeReadWholeOrAfterAStop)
{
    TempTree tree;
    const auto file = tree.file("file", 5000);
    EXPECT_FALSE(DiskScanner::hash(tree.path("missing"), std::nullopt));
    EXPECT_FALSE(DiskScanner::hash(tree.symlink("link", file), std::nullopt));
    EXPECT_FALSE(DiskScanner::hash(tree.fifo("pipe"), std::nullopt));
    EXPECT_FALSE(DiskScanner::hash(tree.folder("folder"), std::nullopt));
    // A regular file whose reading fails at once: a digest would stand for content never read.
    EXPECT_FALSE(DiskScanner::hash("/proc/self/mem", std::nullopt));
    std::stop_source stop;
    stop.request_stop();
    EXPECT_FALSE(DiskScanner::hash(file, std::nullopt, stop.get_token()));
    tree.setMode("file", 0);
    EXPECT_FALSE(DiskScanner::hash(file, std::nullopt));
}

TEST_F(DuplicatesTest, FilesThatChangedOrCannotBeReadNeverMatch)
{
    const std::string bytes = noise(4, 150'000);
    for (const char* name : {"kept", "vanished", "grown", "locked"})
        write(name, bytes);
    std::vector<FileInfo> files;
    for (const char* name : {"kept", "vanished", "grown", "locked"})
        files.push_back(infoOf(home.path(name)));
    std::filesystem::remove(home.path("vanished"));
    std::ofstream(home.path("grown"), std::ios::app) << "more";
    home.setMode("locked", 0);
    // A FIFO under a listed name must not block the search.
    FileInfo& pipe = files.emplace_back();
    pipe.url = home.fifo("pipe");
    pipe.size = 150'000;
    EXPECT_THAT(DiskScanner::identicalSets(files), IsEmpty());

    write("twin", bytes);
    files.push_back(infoOf(home.path("twin")));
    EXPECT_THAT(setNames(DiskScanner::identicalSets(files)), ElementsAre(ElementsAre("kept", "twin")));
}

TEST_F(DuplicatesTest, FilesBySizeWalksOnlyTheUsersOwnFilesAtOrAboveTheMinimum)
{
    const std::string bytes = noise(5, 2000);
    for (const char* kept : {"Documents/a", "Documents/deep/b", "build/c", "Documents/Build/d"})
        write(kept, bytes);
    for (const char* skipped : {"Documents/build/x", "Documents/Library/x", "Documents/node_modules/x",
                                "Documents/Tool.app/x", "Documents/.hidden", "Documents/.folder/x"})
        write(skipped, bytes);
    home.symlink("Documents/link", home.path("Documents/a"));
    home.fifo("Documents/pipe");
    write("Documents/small", bytes.substr(1));

    const auto buckets = DiskScanner::filesBySize({home.path("Documents"), home.path("build")}, 2000);
    ASSERT_EQ(buckets.size(), 1u);
    std::vector<std::string> found;
    for (const FileInfo& file : buckets.at(2000)) {
        found.push_back(file.url.lexically_relative(home.root()).string());
        EXPECT_TRUE(file.contentID.has_value());
        EXPECT_TRUE(file.created.has_value());
    }
    EXPECT_THAT(found, UnorderedElementsAre("Documents/a", "Documents/deep/b", "Documents/Build/d", "build/c"));
    EXPECT_EQ(found.back(), "build/c") << "roots are walked in order";
}

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
