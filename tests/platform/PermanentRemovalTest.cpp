#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <functional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/MountPoints.h"
#include "platform/PermanentRemoval.h"
#include "platform/RemovalGuard.h"
#include "support/IsolatedHome.h"
#include "support/ScopedMount.h"
#include "support/TempTree.h"

using namespace platform;
namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// A user other than the one the tests run as.
constexpr uid_t otherUser = 65534;

// The tree is the home folder: nothing outside it may be removed by root, as the tests run.
class PermanentRemoval : public ::testing::Test {
protected:
    void SetUp() override
    {
        isolatedHome();
        ::setenv("HOME", tree.root().c_str(), 1);
    }
    void TearDown() override
    {
        ::setenv("HOME", isolatedHome().c_str(), 1);
        setRemovalHookForTesting({});
        // Back to the test's user, so that the tree can be deleted.
        for (const auto& path : givenAway_)
            (void)::lchown(path.c_str(), ::geteuid(), ::getegid());
    }

    unsigned modeOf(const std::string& relative) const
    {
        return static_cast<unsigned>(fs::status(tree.path(relative)).permissions()) & 07777;
    }

    void giveAway(const std::string& relative)
    {
        ASSERT_EQ(::lchown(tree.path(relative).c_str(), otherUser, otherUser), 0);
        givenAway_.push_back(tree.path(relative));
    }

    TempTree tree;

private:
    std::vector<fs::path> givenAway_;
};

// Runs `body` in a child process and gives back its exit status, so that a test can change what a
// process cannot take back (its user, its descriptor limit).
int exitStatusOf(const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

// Sets or clears a file's immutable flag; false where the file system or the process cannot.
bool setImmutable(const fs::path& path, bool immutable)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = immutable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0)
        ::close(fd);
    return done;
}

} // namespace

TEST_F(PermanentRemoval, RemovesFilesFoldersAndLinksButNeverWhatTheyPointToAndTellsWhatThatFreed)
{
    const auto file = tree.file("file", 10);
    const auto hidden = tree.file("folder/.hidden", 5000);
    const auto deep = tree.file("folder/a/b/c/deep", 10);
    tree.folder("folder/empty");
    tree.fifo("folder/pipe");
    // Storage another link keeps is not given back.
    fs::create_hard_link(tree.file("shared", 9000), tree.path("folder/shared"));
    const auto outside = tree.file("outside/keep", 10);
    tree.symlink("folder/to-outside", tree.path("outside"));
    tree.symlink("folder/to-file", outside);
    const auto topLink = tree.symlink("link-to-outside", tree.path("outside"));
    const auto dangling = tree.symlink("dangling", tree.path("nowhere"));
    const std::int64_t fileBytes = allocatedSizeOf(file);
    const std::int64_t folderBytes = allocatedSizeOf(hidden) + allocatedSizeOf(deep);

    const auto fileRemoval = removePermanently(file);
    const auto folderRemoval = removePermanently(tree.path("folder/"));
    EXPECT_TRUE(fileRemoval.whole() && folderRemoval.whole());
    EXPECT_EQ(fileRemoval.removedBytes, fileBytes);
    EXPECT_EQ(folderRemoval.removedBytes, folderBytes);
    EXPECT_TRUE(removePermanently(topLink).ok());
    EXPECT_TRUE(removePermanently(dangling).ok());
    for (const auto& gone : {file, tree.path("folder"), topLink, dangling})
        EXPECT_FALSE(isPresent(gone)) << gone;
    EXPECT_TRUE(fs::exists(tree.path("shared")));
    EXPECT_TRUE(fs::is_regular_file(outside));
    EXPECT_EQ(removePermanently(tree.path("missing/below")).error, std::errc::no_such_file_or_directory);
}

TEST_F(PermanentRemoval, RefusesTheHomeFolderAndTheFoldersAboveIt)
{
    const auto& home = isolatedHome();
    ::setenv("HOME", home.c_str(), 1);
    const auto kept = writeFile(home / "kept", "x");
    const auto alias = tree.symlink("alias", home.parent_path()) / "user";
    for (const auto& path : {home, home.parent_path(), home.parent_path().parent_path(), home / "../user",
                             fs::path(home.string() + "//"), alias}) {
        EXPECT_EQ(removePermanently(path).error, std::errc::operation_not_permitted) << path;
        EXPECT_TRUE(fs::exists(kept)) << path;
    }
    EXPECT_EQ(removePermanently(home / ".").error, std::errc::invalid_argument);

    // A link to the home folder is only a link...
    const auto link = tree.symlink("home-link", home);
    // ...unless it is the home folder's own path.
    ::setenv("HOME", link.c_str(), 1);
    const auto linkedHome = removePermanently(link);
    ::setenv("HOME", tree.root().c_str(), 1);
    EXPECT_EQ(linkedHome.error, std::errc::operation_not_permitted);
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

// Read-only folders of the user's own, as Go's module cache makes them, go like any other.
TEST_F(PermanentRemoval, ReadOnlyFoldersOfTheUsersOwnGoWhole)
{
    tree.file("cache/mod@v1/go.mod", 10);
    tree.file("cache/mod@v1/sub/file.go", 10);
    for (std::string_view folder : {"cache/mod@v1/sub", "cache/mod@v1", "cache"})
        tree.setMode(folder, 0555);
    EXPECT_TRUE(removePermanently(tree.path("cache")).whole());
    EXPECT_FALSE(isPresent(tree.path("cache")));
}

// Emptying a folder that then cannot go would lose part of it and still fail: a folder is checked
// whole first, and what cannot go whole loses nothing, not even a mode bit.
TEST_F(PermanentRemoval, AFolderThatCannotGoWholeLosesNothing)
{
    // Each item holds one folder that cannot go, beside some that could.
    const std::pair<std::string, std::errc> items[] = {{"theirs", std::errc::permission_denied},
                                                       {"unlistable", std::errc::permission_denied},
                                                       {"immutable", std::errc::operation_not_permitted}};
    tree.file("theirs/locked/kept", 10);
    tree.setMode("theirs/locked", 0555);
    giveAway("theirs/locked");
    tree.file("unlistable/locked/kept", 10);
    tree.setMode("unlistable/locked", 0300);
    const bool immutable = setImmutable(tree.file("immutable/locked/kept", 10), true);
    for (const auto& [item, expected] : items) {
        if (item == "immutable" && !immutable)
            continue; // the file system keeps no such flag
        tree.file(item + "/goes", 10);
        tree.file(item + "/read-only/goes", 10);
        tree.setMode(item + "/read-only", 0555);
        EXPECT_EQ(removePermanently(tree.path(item)).error, expected) << item;
        EXPECT_TRUE(fs::exists(tree.path(item + "/goes"))) << item;
        EXPECT_TRUE(fs::exists(tree.path(item + "/read-only/goes"))) << item;
        EXPECT_EQ(modeOf(item + "/read-only"), 0555u) << item;
    }
    setImmutable(tree.path("immutable/locked/kept"), false);

    // An item in a read-only folder cannot go at all.
    tree.file("locked/item/inside", 10);
    tree.setMode("locked", 0555);
    EXPECT_EQ(removePermanently(tree.path("locked/item")).error, std::errc::permission_denied);
    EXPECT_TRUE(fs::exists(tree.path("locked/item/inside")));
    EXPECT_EQ(modeOf("locked"), 0555u);
}

// The kernel lets only the owner of a sticky folder or of the entry take it out, but root takes
// anything: the rule is tried as another user, on another user's entry that is itself open to
// all, so that emptying it would succeed and only taking it out would fail.
TEST_F(PermanentRemoval, AnotherUsersEntryOfAStickyFolderIsNeverTouched)
{
    tree.setMode("", 0755);
    tree.file("sticky/theirs/sub/kept", 10);
    tree.file("nobody/item/shared/theirs/kept", 10);
    tree.file("nobody/item/mine", 10);
    for (const char* folder : {"sticky", "nobody/item/shared"})
        tree.setMode(folder, 01777);
    for (const char* folder : {"sticky/theirs", "sticky/theirs/sub", "nobody/item/shared/theirs"})
        tree.setMode(folder, 0777);
    giveAway("nobody");
    giveAway("nobody/item");
    giveAway("nobody/item/mine");

    const int status = exitStatusOf([&] {
        if (::setgroups(0, nullptr) != 0 || ::setresgid(otherUser, otherUser, otherUser) != 0 ||
            ::setresuid(otherUser, otherUser, otherUser) != 0)
            return 100;
        // As the item itself, and as an entry of a sticky folder inside the item.
        const auto refused = [&](std::string_view relative) {
            return removePermanently(tree.path(relative)).error == std::errc::operation_not_permitted;
        };
        return (refused("sticky/theirs") ? 0 : 1) | (refused("nobody/item") ? 0 : 2);
    });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(fs::exists(tree.path("sticky/theirs/sub/kept")));
    EXPECT_TRUE(fs::exists(tree.path("nobody/item/shared/theirs/kept")));
    EXPECT_TRUE(fs::exists(tree.path("nobody/item/mine")));
}

TEST_F(PermanentRemoval, ReachesTreesAndItemsDeeperThanAnyPathMayBeLongWithFewDescriptors)
{
    constexpr int depth = 2500; // "d/" 2,500 times is longer than PATH_MAX
    makeDeepChain(tree.path(""), depth, 10);
    fs::path deepItem = tree.root();
    for (int level = 0; level < depth; ++level)
        deepItem /= "d";
    ASSERT_GT(deepItem.native().size(), std::size_t{PATH_MAX});
    const int status = exitStatusOf([&] {
        // Far fewer descriptors than levels, and no way to raise the limit.
        const struct rlimit few {64, 64};
        if (::setrlimit(RLIMIT_NOFILE, &few) != 0)
            return 100;
        const bool itemWent = removePermanently(deepItem / "bottom").whole();
        return (itemWent ? 0 : 1) | (removePermanently(tree.path("d")).whole() ? 0 : 2);
    });
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(isPresent(tree.path("d")));
}

// The moment between listing a folder and entering one of its folders, made to happen every
// time: the folder is swapped for a link to a folder outside. The link may be removed, what it
// points to never.
TEST_F(PermanentRemoval, AFolderSwappedForALinkMidwayNeverLeadsOutside)
{
    tree.file("outside/kept", 10);
    tree.file("victim/swap/inside", 10);
    tree.file("victim/other", 10);
    int swaps = 0;
    setRemovalHookForTesting([&](int, const char* name) {
        if (std::string_view(name) == "swap" && swaps++ == 0) {
            fs::rename(tree.path("victim/swap"), tree.path("parked"));
            fs::create_directory_symlink(tree.path("outside"), tree.path("victim/swap"));
        }
    });
    EXPECT_TRUE(removePermanently(tree.path("victim")).whole());
    EXPECT_EQ(swaps, 1);
    EXPECT_FALSE(isPresent(tree.path("victim")));
    EXPECT_TRUE(fs::exists(tree.path("outside/kept")));
    EXPECT_TRUE(fs::exists(tree.path("parked/inside")));
}

// Below a certain depth the removal finds its way back up through "..": a folder moved elsewhere
// meanwhile must not lead it into the folder's new parent.
TEST_F(PermanentRemoval, AFolderMovedAwayMidwayNeverLeadsTheRemovalIntoItsNewParent)
{
    // Made between the files, so that some are listed after it in any order a file system keeps.
    for (int i = 0; i < 20; ++i) {
        if (i == 10)
            makeDeepChain(tree.folder("item/moved"), 100, 10);
        tree.file("item/f" + std::to_string(i), 10);
        tree.file("elsewhere/f" + std::to_string(i), 10);
    }
    int entered = 0;
    setRemovalHookForTesting([&](int, const char*) {
        if (++entered == 80)
            fs::rename(tree.path("item/moved"), tree.path("elsewhere/moved"));
    });
    (void)removePermanently(tree.path("item"));
    ASSERT_GE(entered, 80);
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(fs::exists(tree.path("elsewhere/f" + std::to_string(i)))) << i;
}

// A file system mounted below the item is never entered; it stays, with the folders that lead to
// it (their modes given back), and the rest goes.
TEST_F(PermanentRemoval, AMountPointBelowTheItemStaysWithTheFoldersLeadingToIt)
{
    const auto a = tree.file("item/a", 5000);
    const auto b = tree.file("item/sub/b", 5000);
    const auto c = tree.file("item/sub/c/d", 5000);
    tree.file("source/kept", 10);
    tree.folder("item/sub/mount");
    tree.symlink("alias", tree.root());
    const std::int64_t removable = allocatedSizeOf(a) + allocatedSizeOf(b) + allocatedSizeOf(c);
    ScopedMount mount = ScopedMount::bind(tree.path("source"), tree.path("item/sub/mount"));
    if (!mount.ok())
        GTEST_SKIP() << mount.why();
    tree.setMode("item/sub", 0555);

    EXPECT_THAT(mountPointsBelow(tree.path("alias/item")), ElementsAre(tree.path("alias/item/sub/mount")));
    EXPECT_THAT(mountPointsBelow(tree.path("alias")), IsEmpty());
    const auto removal = removePermanently(tree.path("item"));
    EXPECT_TRUE(removal.ok());
    EXPECT_TRUE(removal.keptMountPoints);
    EXPECT_EQ(removal.removedBytes, removable);
    EXPECT_THAT(namesIn(tree.path("item")), ElementsAre("sub"));
    EXPECT_THAT(namesIn(tree.path("item/sub")), ElementsAre("mount"));
    EXPECT_EQ(modeOf("item/sub"), 0555u);
    EXPECT_TRUE(fs::exists(tree.path("source/kept")));
}
