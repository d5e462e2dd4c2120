#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <thread>

#include <gtest/gtest.h>

#include "platform/PermanentRemoval.h"
#include "platform/RemovalGuard.h"
#include "support/IsolatedHome.h"
#include "support/TempTree.h"

using namespace platform;
namespace fs = std::filesystem;

namespace {

// The tree is the home folder: nothing outside it may be removed by root, as the tests run.
class PermanentRemoval : public ::testing::Test {
protected:
    void SetUp() override
    {
        isolatedHome();
        ::setenv("HOME", tree.root().c_str(), 1);
    }
    void TearDown() override { ::setenv("HOME", isolatedHome().c_str(), 1); }
    TempTree tree;
};

} // namespace

TEST_F(PermanentRemoval, RemovesFilesFoldersAndEverythingInThem)
{
    const auto file = tree.file("file", 10);
    tree.file("folder/.hidden", 10);
    tree.file("folder/a/b/c/deep", 10);
    tree.folder("folder/empty");
    tree.fifo("folder/pipe");
    EXPECT_TRUE(removePermanently(file).ok());
    EXPECT_TRUE(removePermanently(tree.path("folder/")).ok());
    EXPECT_FALSE(isPresent(file));
    EXPECT_FALSE(isPresent(tree.path("folder")));
}

TEST_F(PermanentRemoval, RemovesLinksAndNeverWhatTheyPointTo)
{
    const auto outside = tree.file("outside/keep", 10);
    tree.symlink("folder/to-outside", tree.path("outside"));
    tree.symlink("folder/to-file", outside);
    const auto topLink = tree.symlink("link-to-outside", tree.path("outside"));
    const auto dangling = tree.symlink("dangling", tree.path("nowhere"));

    EXPECT_TRUE(removePermanently(tree.path("folder")).ok());
    EXPECT_TRUE(removePermanently(topLink).ok());
    EXPECT_TRUE(removePermanently(dangling).ok());
    EXPECT_FALSE(isPresent(tree.path("folder")));
    EXPECT_FALSE(isPresent(topLink));
    EXPECT_FALSE(isPresent(dangling));
    EXPECT_TRUE(fs::is_regular_file(outside));
}

TEST_F(PermanentRemoval, AMissingItemFails)
{
    EXPECT_EQ(removePermanently(tree.path("missing")).error(), std::errc::no_such_file_or_directory);
    EXPECT_EQ(removePermanently(tree.path("missing/below")).error(), std::errc::no_such_file_or_directory);
}

TEST_F(PermanentRemoval, RefusesTheHomeFolderAndTheFoldersAboveIt)
{
    const auto& home = isolatedHome();
    ::setenv("HOME", home.c_str(), 1);
    const auto kept = writeFile(home / "kept", "x");
    const auto alias = tree.symlink("alias", home.parent_path()) / "user";
    for (const auto& path : {home, home.parent_path(), home.parent_path().parent_path(), home / "../user",
                             fs::path(home.string() + "//"), alias}) {
        EXPECT_EQ(removePermanently(path).error(), std::errc::operation_not_permitted) << path;
        EXPECT_TRUE(fs::exists(kept)) << path;
    }
    EXPECT_EQ(removePermanently(home / ".").error(), std::errc::invalid_argument);

    // A link to the home folder is only a link...
    const auto link = tree.symlink("home-link", home);
    // ...unless it is the home folder's own path.
    ::setenv("HOME", link.c_str(), 1);
    const auto linkedHome = removePermanently(link);
    ::setenv("HOME", tree.root().c_str(), 1);
    EXPECT_EQ(linkedHome.error(), std::errc::operation_not_permitted);
    EXPECT_TRUE(removePermanently(link).ok());
    EXPECT_TRUE(fs::exists(kept));
}

// Only looked at, never removed: a mistake here must not be able to take anything.
TEST_F(PermanentRemoval, TheGuardRefusesTheRootAndMountPoints)
{
    EXPECT_EQ(openRemovalTarget("/").error(), std::errc::operation_not_permitted);
    EXPECT_EQ(openRemovalTarget("/proc").error(), std::errc::device_or_resource_busy);
    const auto file = tree.file("plain", 1);
    auto target = openRemovalTarget(file);
    ASSERT_TRUE(target.ok());
    EXPECT_EQ(target->name, "plain");
    EXPECT_EQ(target->type, FileType::regular);
    EXPECT_FALSE(isMountRootAt(target->parent.get(), "plain"));
}

TEST_F(PermanentRemoval, AnItemInAReadOnlyFolderFailsAndLosesNothing)
{
    tree.file("locked/item/inside", 10);
    tree.file("locked/file", 10);
    tree.setMode("locked", 0555);
    EXPECT_EQ(removePermanently(tree.path("locked/item")).error(), std::errc::permission_denied);
    EXPECT_EQ(removePermanently(tree.path("locked/file")).error(), std::errc::permission_denied);
    EXPECT_TRUE(fs::exists(tree.path("locked/item/inside")));
    EXPECT_TRUE(fs::exists(tree.path("locked/file")));
}

TEST_F(PermanentRemoval, WhatCannotBeRemovedInsideAFolderStaysAndTheItemFails)
{
    tree.file("folder/locked/kept", 10);
    tree.file("folder/unreadable/kept", 10);
    tree.file("folder/goes", 10);
    tree.file("folder/sub/goes", 10);
    tree.setMode("folder/locked", 0555);
    tree.setMode("folder/unreadable", 0300);

    const auto outcome = removePermanently(tree.path("folder"));
    EXPECT_EQ(outcome.error(), std::errc::permission_denied);
    EXPECT_TRUE(fs::exists(tree.path("folder/locked/kept")));
    tree.setMode("folder/unreadable", 0755);
    EXPECT_TRUE(fs::exists(tree.path("folder/unreadable/kept")));
    EXPECT_FALSE(isPresent(tree.path("folder/goes")));
    EXPECT_FALSE(isPresent(tree.path("folder/sub")));
}

TEST_F(PermanentRemoval, ReachesTreesAndItemsDeeperThanAnyPathMayBeLong)
{
    constexpr int depth = 2500; // "d/" 2,500 times is longer than PATH_MAX
    makeDeepChain(tree.path(""), depth, 10);
    fs::path deepItem = tree.root();
    for (int level = 0; level < depth; ++level)
        deepItem /= "d";
    ASSERT_GT(deepItem.native().size(), std::size_t{PATH_MAX});
    EXPECT_TRUE(removePermanently(deepItem / "bottom").ok());
    EXPECT_TRUE(removePermanently(tree.path("d")).ok());
    EXPECT_FALSE(isPresent(tree.path("d")));
}

// A folder swapped for a link to a folder outside, over and over while the removal runs: the
// link may be removed, what it points to never. The many files beside the swapped folder keep
// the removal busy between listing the folder and entering it.
TEST_F(PermanentRemoval, AFolderSwappedForALinkMidwayNeverLeadsOutside)
{
    constexpr int outsideFiles = 20;
    for (int i = 0; i < outsideFiles; ++i)
        tree.file("outside/f" + std::to_string(i), 1);
    const auto swap = tree.path("victim/swap");
    const auto parked = tree.path("parked");
    for (int round = 0; round < 20; ++round) {
        for (int i = 0; i < 400; ++i)
            tree.file("victim/f" + std::to_string(i), 1);
        for (int i = 0; i < 20; ++i)
            tree.file("victim/swap/f" + std::to_string(i), 1);
        std::atomic<bool> removing{true};
        std::thread swapper([&] {
            while (removing) {
                if (::rename(swap.c_str(), parked.c_str()) != 0)
                    break;
                if (::symlink(tree.path("outside").c_str(), swap.c_str()) == 0) {
                    std::this_thread::sleep_for(std::chrono::microseconds(300));
                    ::unlink(swap.c_str());
                }
                ::rename(parked.c_str(), swap.c_str());
                std::this_thread::sleep_for(std::chrono::microseconds(300));
            }
        });
        (void)removePermanently(tree.path("victim"));
        removing = false;
        swapper.join();
        std::error_code ignored;
        fs::remove_all(tree.path("victim"), ignored);
        fs::remove_all(parked, ignored);
    }
    for (int i = 0; i < outsideFiles; ++i)
        ASSERT_TRUE(fs::exists(tree.path("outside/f" + std::to_string(i)))) << i;
}
