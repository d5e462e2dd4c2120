// The duplicate search digests on several threads and compares larger files side by side instead
// of digesting them whole. These tests hold it to the plain search: one bucket after another,
// every first and whole digest made in turn, a file without a digest matching nothing. Both must
// give the same sets in the same order, the same items and the same sequence of reports.
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <unordered_map>
#include <unordered_set>

#include <gtest/gtest.h>

#include "scan/DiskScanner.h"
#include "scan/Duplicates.h"
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
                items.push_back(ScanItem{set[copy].url, set[copy].url.filename().string(),
                                         "Copy of " + DiskScanner::abbreviatedPath(set[0].url), set[copy].size,
                                         set[copy].created, {ScanItem::Tag::copy}, false, std::nullopt, {}, std::nullopt});
                total += set[copy].size;
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

// A tree of many same-size files that differ in every way the search distinguishes: not at all,
// from the first byte, just after the first 64 KiB, at the very end, across read chunks; hard
// links; unreadable files; groups too large to compare side by side.
class DuplicateTree {
public:
    explicit DuplicateTree(const TempTree& tree) : tree_(tree) {}

    void build()
    {
        for (int bucket = 0; bucket < 40; ++bucket)
            randomBucket(pickSize());
        largeGroup();
        interleavedGroups();
    }

    std::vector<std::filesystem::path> roots() const
    {
        std::vector<std::filesystem::path> roots;
        for (const char* root : {"r0", "r1", "r2", "order0", "order1", "order2", "order3", "order4"})
            roots.push_back(tree_.path(root));
        return roots;
    }

private:
    std::size_t pickSize()
    {
        const std::size_t choices[] = {1, 100, 65'535, 65'536, 65'537, 200'000, 262'144, 262'145, 700'000};
        return choices[random_() % std::size(choices)] + random_() % 3 * 7;
    }

    std::string noise(std::size_t size)
    {
        std::string bytes(size, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random_());
        return bytes;
    }

    // A variant of `base` that first differs at a place the search must notice.
    std::string variant(const std::string& base)
    {
        std::string changed = base;
        const std::size_t places[] = {0, 65'536, 65'537, 262'144, changed.size() - 1};
        std::size_t at = places[random_() % std::size(places)];
        changed[std::min(at, changed.size() - 1)] ^= static_cast<char>(1 + random_() % 255);
        return changed;
    }

    std::filesystem::path write(const std::string& relative, const std::string& bytes)
    {
        const auto path = tree_.file(relative);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::string randomPlace()
    {
        return "r" + std::to_string(random_() % 3) + "/d" + std::to_string(random_() % 4) + "/f" +
               std::to_string(counter_++);
    }

    void randomBucket(std::size_t size)
    {
        std::vector<std::string> contents{noise(size)};
        std::vector<std::filesystem::path> written;
        const int files = 2 + static_cast<int>(random_() % 6);
        for (int i = 0; i < files; ++i) {
            const unsigned kind = random_() % 10;
            if (kind < 4 || written.empty())
                written.push_back(write(randomPlace(), contents[random_() % contents.size()]));
            else if (kind < 7)
                written.push_back(write(randomPlace(), contents.emplace_back(variant(contents.front()))));
            else if (kind < 9) {
                const auto link = tree_.path(randomPlace());
                std::filesystem::create_directories(link.parent_path());
                std::filesystem::create_hard_link(written[random_() % written.size()], link);
            } else {
                const auto locked = write(randomPlace(), contents.front());
                std::filesystem::permissions(locked, std::filesystem::perms::none);
            }
        }
    }

    void largeGroup()
    {
        const std::string a = noise(100'000);
        const std::string b = variant(a);
        for (int i = 0; i < 45; ++i)
            write(randomPlace(), i % 3 == 0 ? b : a);
    }

    // Five files in walk order A B C D E: A, C and E begin alike but only C and E are equal; B
    // and D begin otherwise and are equal. The first digest's groups come in the order of A and
    // B, so {C, E} precedes {B, D} although B comes before C.
    void interleavedGroups()
    {
        const std::string ce = noise(300'000);
        std::string a = ce;
        a.back() ^= 1;
        const std::string bd = noise(300'000);
        const std::string contents[] = {a, bd, ce, bd, ce};
        for (int i = 0; i < 5; ++i)
            write("order" + std::to_string(i) + "/file", contents[i]);
    }

    const TempTree& tree_;
    std::mt19937 random_{20240607};
    int counter_ = 0;
};

} // namespace

TEST(DuplicatesEquivalence, SetsAreThoseOfWholeDigestsInTheSameOrder)
{
    TempTree tree;
    DuplicateTree(tree).build();
    const auto buckets = DiskScanner::filesBySize(DuplicateTree(tree).roots(), 1);
    std::size_t sets = 0;
    for (const auto& [size, files] : buckets) {
        const IdenticalSets expected = plain::identicalSets(files);
        EXPECT_EQ(DiskScanner::identicalSets(files), expected) << "files of " << size << " bytes";
        sets += expected.size();
    }
    EXPECT_GT(sets, 30u) << "the tree should hold plenty of sets";

    const auto interleaved = buckets.at(300'000);
    const IdenticalSets found = DiskScanner::identicalSets(interleaved);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0][0].url, tree.path("order2/file"));
    EXPECT_EQ(found[1][0].url, tree.path("order1/file"));
}

TEST(DuplicatesEquivalence, ItemsAndReportsAreThoseOfThePlainSearch)
{
    TempTree tree;
    DiskScanner::setHomeForTesting(tree.root());
    DuplicateTree(tree).build();
    const auto roots = DuplicateTree(tree).roots();
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
