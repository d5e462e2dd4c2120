#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/PermanentRemoval.h"
#include "platform/RemovalGuard.h"
#include "platform/Trash.h"
#include "support/IsolatedHome.h"
#include "support/TempTree.h"

using namespace platform;
namespace fs = std::filesystem;

namespace {

constexpr uid_t nobody = 65534;

// Root may remove nothing that really lies outside the home folder, so these tests need root (as
// on CI): run as another user, the files they make would be the user's own, free to go.
class RemovalGuard : public ::testing::Test {
protected:
    void SetUp() override
    {
        isolatedHome();
        if (::geteuid() != 0)
            GTEST_SKIP() << "needs root";
    }

    void giveToNobody(const fs::path& path) const { ASSERT_EQ(::lchown(path.c_str(), nobody, nobody), 0); }

    TempTree outside;
};

// What the guard answers for `path` in a process of `user` (0 for yes, else the error).
int guardAnswerAs(uid_t user, const fs::path& path)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(user) != 0 || ::setuid(user) != 0)
            ::_exit(255);
        const auto target = openRemovalTarget(path);
        ::_exit(target ? 0 : target.error().value());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST_F(RemovalGuard, AWellKnownFolderLinkedOutsideHomeSendsNothingThereToTheTrashOrToDeletion)
{
    const auto kept = outside.file("cache/kept", 10);
    const auto linked = isolatedHome() / "linked-cache";
    fs::create_directory_symlink(kept.parent_path(), linked);
    for (const auto& path : {linked / "kept", kept}) {
        EXPECT_EQ(openRemovalTarget(path).error(), std::errc::operation_not_permitted) << path;
        EXPECT_FALSE(removePermanently(path).ok()) << path;
        EXPECT_FALSE(moveToTrash(path).ok()) << path;
    }
    EXPECT_TRUE(fs::exists(kept));
    // The link itself lies in the home folder.
    EXPECT_TRUE(removePermanently(linked).ok());
    EXPECT_TRUE(fs::exists(kept));
}

TEST_F(RemovalGuard, OutsideHomeOnlyTheUsersOwnItemsInTheUsersOwnFoldersMayGo)
{
    outside.setMode("", 0755);
    const auto mine = outside.file("own/mine");
    const auto theirs = outside.file("own/theirs");
    const auto mineInTheirs = outside.file("foreign/mine");
    outside.setMode("foreign", 0777);
    for (const auto& path : {mine.parent_path(), mine, mineInTheirs})
        giveToNobody(path);
    EXPECT_EQ(guardAnswerAs(nobody, mine), 0);
    EXPECT_EQ(guardAnswerAs(nobody, theirs), EPERM);
    EXPECT_EQ(guardAnswerAs(nobody, mineInTheirs), EPERM);
    // Root's files are root's own, and still they stay.
    EXPECT_EQ(openRemovalTarget(theirs).error(), std::errc::operation_not_permitted);
    ASSERT_EQ(::chown(mine.parent_path().c_str(), 0, 0), 0); // so that the tree can be removed
}

TEST_F(RemovalGuard, EntriesOfTheUsersTrashesOnOtherVolumesMayGoUnlessATrashFolderIsALink)
{
    const std::string uid = std::to_string(::getuid());
    const auto entry = outside.file(".Trash-" + uid + "/files/entry");
    const auto shared = outside.file(".Trash/" + uid + "/files/entry");
    EXPECT_TRUE(openRemovalTarget(entry).ok());
    // Anyone may write a shared .Trash that is not sticky.
    EXPECT_EQ(openRemovalTarget(shared).error(), std::errc::permission_denied);
    outside.setMode(".Trash", 01777);
    EXPECT_TRUE(openRemovalTarget(shared).ok());

    fs::rename(outside.path(".Trash-" + uid), outside.path("elsewhere"));
    outside.symlink(".Trash-" + uid, outside.path("elsewhere"));
    fs::rename(shared.parent_path(), outside.path("elsewhere-files"));
    outside.symlink(".Trash/" + uid + "/files", outside.path("elsewhere-files"));
    EXPECT_EQ(openRemovalTarget(entry).error(), std::errc::permission_denied);
    EXPECT_EQ(openRemovalTarget(shared).error(), std::errc::permission_denied);
}
