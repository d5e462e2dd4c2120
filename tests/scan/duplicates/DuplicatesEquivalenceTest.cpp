// The duplicate search digests on several threads and compares larger files side by side instead
// of digesting them whole. These tests hold it to the plain search: one bucket after another,
// every first and whole digest made in turn, a file without a digest matching nothing. Both must
// give the same sets in the same order, the same items and the same sequence of reports.
#include <unistd.h>

#include <algorithm>
#include <random>
#include <unordered_map>
#include <unordered_set>

#include <gtest/gtest.h>

#include "scan/DiskScanner.h"
#include "scan/duplicates/ContentDigest.h"
#include "scan/duplicates/FilesBySize.h"
#include "scan/duplicates/IdenticalSets.h"
#include "scan/routines/Duplicates.h"
#include "support/RecordingSink.h"
#include "support/TempTree.h"

using DiskScanner::FileInfo;
using DiskScanner::IdenticalSets;

namespace {

namespace plain {

constexpr std::int64_t firstPassLimit = 65'536;

// Groups of two or more by digest, in order of first appearance; a file that cannot be digested
// gets a name of its own.
IdenticalSets groupByDigest(const std::vector<FileInfo>& files, std::optional<std::int64_t> limit)
{
    static int unreadable = 0;
    IdenticalSets groups;
    std::unordered_map<std::string, std::size_t> groupOf;
    for (const FileInfo& file : files) {
        const std::string digest =
            DiskScanner::hash(file.url, limit).value_or("unreadable " + std::to_string(++unreadable));
        auto [found, isNew] = groupOf.try_emplace(digest, groups.size());
        if (isNew)
            groups.emplace_back();
        groups[found->second].push_back(file);
    }
    std::erase_if(groups, [](const auto& group) { return group.size() < 2; });
    return groups;
}

IdenticalSets identicalSets(const std::vector<FileInfo>& files)
{
    std::vector<FileInfo> distinct;
    std::unordered_set<platform::ContentIdentifier> seen;
    for (const FileInfo& file : files) {
        if (!file.contentID || seen.insert(*file.contentID).second)
            distinct.push_back(file);
    }
    if (distinct.size() < 2)
        return {};
    IdenticalSets sets;
    for (const auto& group : groupByDigest(distinct, firstPassLimit)) {
        if (group.front().size <= firstPassLimit) {
            sets.push_back(group);
            continue;
        }
        for (const auto& set : groupByDigest(group, std::nullopt))
            sets.push_back(set);
    }
    return sets;
}

CategoryResult findDuplicates(const std::vector<std::filesystem::path>& roots, std::int64_t minimumSize,
                              const ProgressSink& progress)
{
    progress(ScanProgress{0, "Listing files…", 0.02});
    std::vector<std::vector<FileInfo>> buckets;
    for (auto& [size, files] : DiskScanner::filesBySize(roots, minimumSize))
        if (files.size() >= 2)
            buckets.push_back(files);
    if (buckets.empty()) {
        progress(ScanProgress{0, "", 1.0});
        return {};
    }
    std::vector<ScanItem> items;
    std::int64_t total = 0;
    for (std::size_t i = 0; i < buckets.size(); ++i) {
        for (auto set : plain::identicalSets(buckets[i])) {
            std::stable_sort(set.begin(), set.end(), [](const FileInfo& a, const FileInfo& b) {
                return a.created && (!b.created || *a.created < *b.created);
            });
            for (std::size_t copy = 1; copy < set.size(); ++copy) {
                const FileInfo& file = set[copy];
                const std::int64_t space = std::min(file.size, file.allocatedSize.value_or(file.size));
                const Fingerprint fingerprint{file.contentID->device, file.contentID->inode, file.size, file.modified};
                items.push_back(ScanItem{file.url, file.url.filename().string(),
                                         "Copy of " + DiskScanner::abbreviatedPath(set[0].url), space, file.created,
                                         {ScanItem::Tag::copy}, false, std::nullopt, {}, std::nullopt, fingerprint,
                                         set[0].url});
                total += space;
            }
        }
        const double count = static_cast<double>(buckets.size());
        const double fraction = i + 1 == buckets.size() ? 1.0 : static_cast<double>(i + 1) * 0.9 / count + 0.1;
        progress(ScanProgress{total, DiskScanner::abbreviatedPath(buckets[i].front().url), fraction});
    }
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.size > b.size; });
    if (items.size() > 500)
        items.resize(500);
    return CategoryResult{items, false};
}

} // namespace plain

// A tree of same-size files that differ in every way the search tells apart: not at all, from
// the first byte, just after the first 64 KiB, at the very end, across read chunks; with hard
// links, unreadable files and a group too large to compare side by side. Returns the roots.
std::vector<std::filesystem::path> buildTree(const TempTree& tree)
{
    std::mt19937 random(20240607);
    int counter = 0;
    auto noise = [&](std::size_t size) {
        std::string bytes(size, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        return bytes;
    };
    auto variant = [&](std::string bytes) {
        const std::size_t places[] = {0, 65'536, 65'537, 128 * 1024, bytes.size() - 1};
        bytes[std::min(places[random() % 5], bytes.size() - 1)] ^= static_cast<char>(1 + random() % 255);
        return bytes;
    };
    auto place = [&] {
        return "r" + std::to_string(random() % 3) + "/d" + std::to_string(random() % 4) + "/f" +
               std::to_string(counter++);
    };
    auto write = [&](const std::string& bytes, const std::string& relative) { return writeFile(tree.path(relative), bytes); };

    const std::size_t sizes[] = {1, 100, 65'535, 65'536, 65'537, 131'072, 131'073, 300'000};
    for (int bucket = 0; bucket < 40; ++bucket) {
        std::vector<std::string> contents{noise(sizes[random() % std::size(sizes)] + random() % 3 * 7)};
        std::vector<std::filesystem::path> written{write(contents.front(), place())};
        for (int i = 0, files = 1 + static_cast<int>(random() % 6); i < files; ++i) {
            const unsigned kind = random() % 10;
            if (kind < 4)
                written.push_back(write(contents[random() % contents.size()], place()));
            else if (kind < 7)
                written.push_back(write(contents.emplace_back(variant(contents.front())), place()));
            else if (kind < 9)
                std::filesystem::create_hard_link(written[random() % written.size()], tree.folder(place()) / "link");
            else
                std::filesystem::permissions(write(contents.front(), place()), std::filesystem::perms::none);
        }
    }
    const std::string common = noise(100'000);
    const std::string rare = variant(common);
    for (int i = 0; i < 45; ++i)
        write(i % 3 == 0 ? rare : common, place());

    // In walk order A B C D E: A, C and E begin alike but only C and E are equal; B and D begin
    // otherwise and are equal. The first digest's groups come in the order of A and B, so {C, E}
    // precedes {B, D} although B comes before C.
    const std::string ce = noise(333'333);
    const std::string bd = noise(333'333);
    std::string a = ce;
    a.back() ^= 1;
    const std::string contents[] = {a, bd, ce, bd, ce};
    std::vector<std::filesystem::path> roots{tree.path("r0"), tree.path("r1"), tree.path("r2")};
    for (int i = 0; i < 5; ++i)
        roots.push_back(write(contents[i], "order" + std::to_string(i) + "/file").parent_path());
    return roots;
}

} // namespace

TEST(DuplicatesEquivalence, SetsAreThoseOfWholeDigestsInTheSameOrder)
{
    TempTree tree;
    const auto buckets = DiskScanner::filesBySize(buildTree(tree), 1);
    std::size_t sets = 0;
    for (const auto& [size, files] : buckets) {
        const IdenticalSets expected = plain::identicalSets(files);
        EXPECT_EQ(DiskScanner::identicalSets(files), expected) << "files of " << size << " bytes";
        sets += expected.size();
    }
    EXPECT_GT(sets, 20u) << "the tree should hold plenty of sets";

    const auto interleaved = buckets.at(333'333);
    const IdenticalSets found = DiskScanner::identicalSets(interleaved);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0][0].url, tree.path("order2/file"));
    EXPECT_EQ(found[1][0].url, tree.path("order1/file"));
}

TEST(DuplicatesEquivalence, ItemsAndReportsAreThoseOfThePlainSearch)
{
    TempTree tree;
    DiskScanner::setHomeForTesting(tree.root());
    const auto roots = buildTree(tree);
    RecordingSink expectedReports;
    const CategoryResult expected = plain::findDuplicates(roots, 1, expectedReports.sink());
    ASSERT_GT(expected.items.size(), 40u);
    for (int run = 0; run < 3; ++run) {
        RecordingSink reports;
        // A slow sink lets the pool run ahead of the reports.
        reports.delay = std::chrono::milliseconds(run);
        EXPECT_EQ(DiskScanner::findDuplicates(roots, 1, reports.sink()), expected);
        EXPECT_EQ(reports.reports, expectedReports.reports);
    }
}
