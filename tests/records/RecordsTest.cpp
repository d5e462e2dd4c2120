#include <limits>
#include <unordered_set>

#include <gtest/gtest.h>

#include "records/CategoryResult.h"
#include "records/ScanItem.h"
#include "records/ScanOptions.h"
#include "records/ScanPhase.h"

namespace {

ScanItem sampleItem()
{
    ScanItem item;
    item.url = "/home/u/Library/Caches/com.example";
    item.name = "Example";
    item.detail = "App cache";
    item.size = 4096;
    item.date = Date(std::chrono::seconds(1'700'000'000));
    item.tags = {ScanItem::Tag::rebuildable};
    item.isRecommended = true;
    item.fingerprint = Fingerprint{1, 2, 4000, item.date};
    return item;
}

} // namespace

TEST(ScanItem, IdentityIsTheLocationButEqualityIsEveryField)
{
    const ScanItem a = sampleItem();
    ScanItem b = a;
    EXPECT_EQ(a, b);
    EXPECT_EQ(std::hash<ScanItem>{}(a), std::hash<ScanItem>{}(b));

    b.size = 8192;
    EXPECT_EQ(a.id(), b.id());
    EXPECT_NE(a, b);

    // Each variable field takes part, including presence of the optional ones.
    for (auto change : std::initializer_list<void (*)(ScanItem&)>{
             [](ScanItem& i) { i.date.reset(); },
             [](ScanItem& i) { i.tags.push_back(ScanItem::Tag::old); },
             [](ScanItem& i) { i.tags = {ScanItem::Tag::system}; },
             [](ScanItem& i) { i.iconURL = "/Applications/Example.app"; },
             [](ScanItem& i) { i.extraURLs.push_back("/tmp/x"); },
             [](ScanItem& i) { i.bundleID = ""; },
             [](ScanItem& i) { i.fingerprint->inode = 3; },
             [](ScanItem& i) { i.fingerprint->length.reset(); },
             [](ScanItem& i) { i.originalURL = "/home/u/kept"; },
         }) {
        ScanItem changed = a;
        change(changed);
        EXPECT_NE(changed, a);
        EXPECT_NE(std::hash<ScanItem>{}(changed), std::hash<ScanItem>{}(a));
    }
}

TEST(ScanItem, TagsRoundTripThroughTheirRawNames)
{
    for (ScanItem::Tag tag : allTags())
        EXPECT_EQ(tagFromRawValue(rawValue(tag)), tag);
    EXPECT_FALSE(tagFromRawValue("Copy"));
}

TEST(ScanPhase, CasesCompareByKindAndCleanedBySummary)
{
    EXPECT_EQ(ScanPhase(), ScanPhase::idle());
    EXPECT_NE(ScanPhase::ready(), ScanPhase::scanning());
    const CleanSummary trashed{100, 2, 0, true};
    CleanSummary deleted = trashed;
    deleted.movedToTrash = false;
    EXPECT_NE(ScanPhase::cleaned(trashed), ScanPhase::cleaned(deleted));
    EXPECT_EQ(ScanPhase::cleaned(trashed).summary(), trashed);

    std::unordered_set<ScanPhase> phases{ScanPhase::idle(), ScanPhase::idle(), ScanPhase::cleaned(trashed),
                                         ScanPhase::cleaned(deleted)};
    EXPECT_EQ(phases.size(), 3u);
}

TEST(CategoryResult, EqualityCoversItemsAndAccess)
{
    CategoryResult a{{sampleItem()}, false};
    CategoryResult b = a;
    EXPECT_EQ(a, b);
    b.accessDenied = true;
    EXPECT_NE(a, b);
    EXPECT_NE(std::hash<CategoryResult>{}(a), std::hash<CategoryResult>{}(b));
}

TEST(ScanOptions, StoredFiguresDefaultsAndOverflow)
{
    EXPECT_EQ(ScanOptions::fromStored(std::nullopt, std::nullopt), (ScanOptions{250'000'000, 30}));
    EXPECT_EQ(ScanOptions::fromStored(1024, std::nullopt), (ScanOptions{1'024'000'000, 30}));
    // Not clamped: zero and negative figures are taken as they are.
    EXPECT_EQ(ScanOptions::fromStored(0, 0), (ScanOptions{0, 0}));
    EXPECT_EQ(ScanOptions::fromStored(-5, -1), (ScanOptions{-5'000'000, -1}));
    // A byte count beyond 64 bits is not a threshold anyone chose.
    const std::int64_t largest = std::numeric_limits<std::int64_t>::max() / 1'000'000;
    EXPECT_EQ(ScanOptions::fromStored(largest, 7).largeFileThreshold, largest * 1'000'000);
    EXPECT_EQ(ScanOptions::fromStored(largest + 1, 7), (ScanOptions{250'000'000, 7}));
    EXPECT_EQ(ScanOptions::fromStored(std::numeric_limits<std::int64_t>::min(), 7).largeFileThreshold, 250'000'000);
}
