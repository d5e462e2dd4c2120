#include <atomic>
#include <cstdio>
#include <mutex>
#include <new>
#include <set>
#include <stop_token>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/TreeWalk.h"
#include "support/ScopedMount.h"
#include "support/TempTree.h"

using namespace platform;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

namespace {

// Every visited entry's path relative to the root, in walk order.
std::vector<std::string> walkOrder(const std::filesystem::path& root, WalkOptions options = {},
                                   std::function<WalkDecision(const WalkEntry&)> decide = nullptr)
{
    WalkCollector<std::string> collected;
    walkTree(root, options, [&](const WalkEntry& entry) {
        collected.add(entry, entry.path().lexically_relative(root).string());
        return decide ? decide(entry) : WalkDecision::descend;
    });
    return collected.takeInWalkOrder();
}

// What GNU find reports, in its order: a serial depth-first walk in listing order.
std::vector<std::string> findOrder(const std::filesystem::path& root)
{
    std::vector<std::string> paths;
    FILE* pipe = ::popen(("find '" + root.string() + "' -mindepth 1 -printf '%P\\0'").c_str(), "r");
    std::string current;
    for (int c; (c = std::fgetc(pipe)) != EOF;) {
        if (c == 0)
            paths.push_back(std::exchange(current, {}));
        else
            current.push_back(static_cast<char>(c));
    }
    ::pclose(pipe);
    return paths;
}

} // namespace

TEST(TreeWalk, VisitsInTheOrderOfASerialDepthFirstWalk)
{
    TempTree tree;
    for (int a = 0; a < 6; ++a) {
        for (int b = 0; b < 5; ++b) {
            tree.file("a" + std::to_string(a) + "/b" + std::to_string(b) + "/f", 1);
            tree.folder("a" + std::to_string(a) + "/b" + std::to_string(b) + "/c/d");
        }
        tree.file("a" + std::to_string(a) + "/top", 1);
    }
    // A folder too large for one listing batch is visited by several threads at once.
    for (int i = 0; i < 3000; ++i)
        tree.file("wide/file-with-a-longish-name-" + std::to_string(i), 0);
    const auto expected = findOrder(tree.root());
    ASSERT_EQ(expected.size(), 6u * (5u * 4u + 2u) + 3001u);
    for (int run = 0; run < 5; ++run)
        EXPECT_EQ(walkOrder(tree.root()), expected);
}

TEST(TreeWalk, HiddenPackagesAndPrunedFolders)
{
    TempTree tree;
    tree.file(".hidden/inside", 1);
    tree.file(".dotfile", 1);
    tree.file("Tool.app/Contents/MacOS/tool", 1);
    tree.file("Photos.PhotosLibrary/db", 1);
    tree.file("node_modules/pkg/index.js", 1);
    tree.file("plain/file", 1);

    auto pruneModules = [](const WalkEntry& entry) {
        return entry.name() == "node_modules" ? WalkDecision::skipDescendants : WalkDecision::descend;
    };
    EXPECT_THAT(walkOrder(tree.root(), {.skipHidden = true, .skipPackageDescendants = true}, pruneModules),
                UnorderedElementsAre("Tool.app", "Photos.PhotosLibrary", "node_modules", "plain", "plain/file"));
    EXPECT_EQ(walkOrder(tree.root()).size(), 14u);
}

TEST(TreeWalk, NeverFollowsLinksNorOpensSpecialFiles)
{
    TempTree tree;
    TempTree elsewhere;
    elsewhere.file("big", 1 << 20);
    tree.symlink("outside", elsewhere.root());
    tree.symlink("loop/self", tree.path("loop"));
    tree.symlink("a", tree.path("b"));
    tree.symlink("b", tree.path("a"));
    tree.fifo("pipe");
    tree.file("real", 10);

    std::mutex mutex;
    std::map<std::string, FileType> types;
    walkTree(tree.root(), {.keys = AttributeKey::allocatedSize}, [&](const WalkEntry& entry) {
        std::lock_guard lock(mutex);
        types[std::string(entry.name())] = entry.attributes() ? entry.attributes()->type : FileType::unknown;
        return WalkDecision::descend;
    });
    EXPECT_EQ(types, (std::map<std::string, FileType>{{"outside", FileType::symbolicLink},
                                                      {"loop", FileType::directory},
                                                      {"self", FileType::symbolicLink},
                                                      {"a", FileType::symbolicLink},
                                                      {"b", FileType::symbolicLink},
                                                      {"pipe", FileType::other},
                                                      {"real", FileType::regular}}));
    // A root that is a link, a file or missing yields nothing.
    for (const char* root : {"outside", "real", "missing"})
        EXPECT_TRUE(walkOrder(tree.path(root)).empty()) << root;
}

TEST(TreeWalk, AwkwardNamesArriveByteForByte)
{
    TempTree tree;
    const std::string invalidUtf8 = "bad-\xff\xfe-name";
    const std::string newline = "line\nbreak";
    const std::string longest(255, 'n');
    for (const auto& name : {invalidUtf8, newline, longest})
        tree.file("dir/" + name, 3);
    std::set<std::string> names;
    std::mutex mutex;
    walkTree(tree.root(), {}, [&](const WalkEntry& entry) {
        std::lock_guard lock(mutex);
        EXPECT_EQ(entry.path().filename().string(), std::string(entry.name()));
        names.insert(std::string(entry.name()));
        return WalkDecision::descend;
    });
    EXPECT_EQ(names, (std::set<std::string>{"dir", invalidUtf8, newline, longest}));
}

TEST(TreeWalk, ReachesTheBottomOfATreeDeeperThanAnyPath)
{
    TempTree tree;
    constexpr int depth = 5000;
    makeDeepChain(tree.root(), depth, 100);
    std::atomic<int> deepest{0};
    std::atomic<bool> sawBottom{false};
    walkTree(tree.root(), {.keys = AttributeKey::logicalSize}, [&](const WalkEntry& entry) {
        if (entry.name() == "bottom") {
            sawBottom = entry.attributes() && entry.attributes()->logicalSize == 100;
            EXPECT_GT(entry.path().native().size(), 4096u);
        }
        deepest = std::max<int>(deepest, static_cast<int>(entry.depth()));
        return WalkDecision::descend;
    });
    EXPECT_TRUE(sawBottom);
    EXPECT_EQ(deepest, depth);
}

TEST(TreeWalk, UnreadableFoldersAreVisitedButNotEntered)
{
    TempTree tree;
    tree.file("locked/secret", 5);
    tree.file("open/visible", 5);
    tree.setMode("locked", 0);
    const auto order = walkOrder(tree.root());
    EXPECT_THAT(order, UnorderedElementsAre("locked", "open", "open/visible"));
}

TEST(TreeWalk, EntriesVanishingMidWalkAreSkippedQuietly)
{
    TempTree tree;
    for (int i = 0; i < 200; ++i)
        tree.file("many/f" + std::to_string(i), 1);
    std::atomic<int> visited{0};
    std::atomic<int> withAttributes{0};
    walkTree(tree.path("many"), {.keys = AttributeKey::logicalSize}, [&](const WalkEntry& entry) {
        // The whole listing is read in one batch; from the first entry on, the rest vanish
        // before they are looked at.
        if (visited++ == 0)
            std::filesystem::remove_all(tree.path("many"));
        if (entry.attributes())
            ++withAttributes;
        return WalkDecision::descend;
    });
    EXPECT_EQ(visited, 200);
    EXPECT_EQ(withAttributes, 0);
}

TEST(TreeWalk, StopsAtTheNextEntryOnceCancelled)
{
    TempTree tree;
    for (int i = 0; i < 500; ++i)
        tree.file("d" + std::to_string(i % 5) + "/f" + std::to_string(i), 0);
    std::stop_source stop;
    std::atomic<int> visited{0};
    walkTree(
        tree.root(), {},
        [&](const WalkEntry&) {
            if (++visited == 3)
                stop.request_stop();
            return WalkDecision::descend;
        },
        stop.get_token());
    // Each thread may finish the visit it had begun when the stop came, and no more.
    EXPECT_LE(visited, 3 + static_cast<int>(std::thread::hardware_concurrency()));
}

// Running out of memory while visiting one folder (a visit that throws) loses what that folder
// still held; the walk neither stops the others nor throws.
TEST(TreeWalk, AFailingVisitLosesOnlyTheRestOfItsFolder)
{
    TempTree tree;
    for (int i = 0; i < 20; ++i) {
        tree.file("failing/f" + std::to_string(i));
        tree.file("sound/f" + std::to_string(i));
    }
    std::atomic<int> soundFiles{0};
    auto visit = [&](const WalkEntry& entry) {
        if (entry.depth() == 1 && entry.path().parent_path().filename() == "failing")
            throw std::bad_alloc();
        if (entry.depth() == 1)
            ++soundFiles;
        return WalkDecision::descend;
    };
    EXPECT_NO_THROW(walkTree(tree.root(), WalkOptions{}, visit));
    EXPECT_EQ(soundFiles, 20);
}

TEST(TreeWalk, StayingOnTheFileSystemLeavesOutWhatIsMountedInside)
{
    TempTree tree;
    tree.file("root/own", 1);
    tree.folder("root/tmpfs");
    tree.folder("root/bound");
    tree.file("source/seen-twice", 1);
    ScopedMount tmpfs = ScopedMount::tmpfs(tree.path("root/tmpfs"));
    ScopedMount bound = ScopedMount::bind(tree.path("source"), tree.path("root/bound"));
    if (!tmpfs.ok() || !bound.ok())
        GTEST_SKIP() << tmpfs.why() << bound.why();
    tree.file("root/tmpfs/elsewhere", 1);

    EXPECT_THAT(walkOrder(tree.path("root"), {.stayOnFileSystem = true}), ElementsAre("own"));
    EXPECT_THAT(walkOrder(tree.path("root")),
                UnorderedElementsAre("own", "tmpfs", "tmpfs/elsewhere", "bound", "bound/seen-twice"));
}

// A kept folder costs one look at its name: nothing below it is visited. A kept root leaves
// nothing to visit.
TEST(TreeWalk, WhatIsLeftOutIsNeitherVisitedNorEntered)
{
    TempTree tree;
    for (int i = 0; i < 200; ++i)
        tree.file("root/Projects/app/build/o" + std::to_string(i), 1);
    tree.file("root/Projects/app/src/build", 1);
    tree.file("root/Projects/app/src/disk.iso", 1);
    const PathPatterns kept({tree.path("root").string() + "/Projects/*/build", "*.iso"}, "/h");
    std::atomic<int> visits = 0;
    walkTree(tree.path("root"), {.leaveOut = &kept}, [&](const WalkEntry&) {
        ++visits;
        return WalkDecision::descend;
    });
    // Projects, app, src, src/build: a name one level deeper than the pattern's is not its match.
    EXPECT_EQ(visits, 4);
    EXPECT_THAT(walkOrder(tree.path("root/Projects/app/build"), {.leaveOut = &kept}), ::testing::IsEmpty());
}
