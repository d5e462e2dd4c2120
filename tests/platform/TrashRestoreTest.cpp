#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/TrashRestore.h"
#include "support/IsolatedHome.h"
#include "support/ScopedMount.h"
#include "support/TempTree.h"
#include "support/TreeSnapshot.h"

using namespace platform;
namespace fs = std::filesystem;

namespace {

class TrashRestore : public ::testing::Test {
protected:
    void SetUp() override
    {
        trashFiles = emptiedTrash();
        trash = trashFiles.parent_path();
        fs::remove_all(isolatedHome() / "items");
    }

    static TrashEntry trashed(const fs::path& path)
    {
        auto moved = moveToTrash(path);
        EXPECT_TRUE(moved.ok() && *moved) << path;
        return moved.ok() && *moved ? **moved : TrashEntry{};
    }

    fs::path trashFiles;
    fs::path trash;
};

} // namespace

TEST_F(TrashRestore, ATrashedTreeComesBackByteForByteAndLeavesNoTraceInTheTrash)
{
    const auto project = isolatedHome() / "items/project";
    makeAwkwardTree(project);
    const auto before = snapshotOf(project);
    const TrashEntry entry = trashed(project);
    writeFile(trash / "directorysizes", "4096 1700000000 project\n4096 1700000000 other\n");
    // Its folder is gone too: made again, as the file managers do.
    fs::remove(project.parent_path());

    ASSERT_TRUE(restoreFromTrash(entry).ok());
    EXPECT_EQ(snapshotOf(project), before);
    EXPECT_FALSE(isStillTrashed(entry));
    EXPECT_TRUE(fs::is_empty(trashFiles));
    EXPECT_TRUE(fs::is_empty(trash / "info"));
    EXPECT_EQ(readFile(trash / "directorysizes"), "4096 1700000000 other\n");
}

TEST_F(TrashRestore, NeverOverwritesWhatNowStandsAtTheItemsPlace)
{
    const auto file = writeFile(isolatedHome() / "items/notes.txt", "trashed");
    const auto folder = writeFile(isolatedHome() / "items/folder/inside", "trashed").parent_path();
    const TrashEntry fileEntry = trashed(file);
    const TrashEntry folderEntry = trashed(folder);
    writeFile(file, "new");
    // Even an empty folder, which a plain rename would replace without a word.
    fs::create_directory(folder);

    EXPECT_EQ(restoreFromTrash(fileEntry).error(), std::errc::file_exists);
    EXPECT_EQ(restoreFromTrash(folderEntry).error(), std::errc::file_exists);
    EXPECT_EQ(readFile(file), "new");
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_TRUE(isStillTrashed(fileEntry));
    EXPECT_TRUE(isStillTrashed(folderEntry));

    // Once the place is free again, it comes back.
    fs::remove(file);
    ASSERT_TRUE(restoreFromTrash(fileEntry).ok());
    EXPECT_EQ(readFile(file), "trashed");
}

TEST_F(TrashRestore, AnEntryThatLeftTheTrashOrLostItsRecordStaysFailed)
{
    const auto vanished = trashed(writeFile(isolatedHome() / "items/vanished", "v"));
    fs::remove(trashFiles / vanished.name);
    EXPECT_EQ(restoreFromTrash(vanished).error(), std::errc::no_such_file_or_directory);

    const auto unrecorded = trashed(writeFile(isolatedHome() / "items/unrecorded", "u"));
    fs::remove(trash / "info" / (unrecorded.name + ".trashinfo"));
    EXPECT_EQ(restoreFromTrash(unrecorded).error(), std::errc::no_message_available);
    EXPECT_TRUE(fs::exists(trashFiles / unrecorded.name));
    EXPECT_FALSE(isPresent(isolatedHome() / "items/unrecorded"));

    // The Trash emptied and another item trashed under the same name: that one is not ours.
    const auto emptied = trashed(writeFile(isolatedHome() / "items/same", "first"));
    ASSERT_TRUE(fs::remove(trashFiles / "same") && fs::remove(trash / "info/same.trashinfo"));
    const auto later = trashed(writeFile(isolatedHome() / "items/same", "second"));
    ASSERT_EQ(later.name, emptied.name);
    EXPECT_EQ(restoreFromTrash(emptied).error(), std::errc::no_such_file_or_directory);
    EXPECT_EQ(readFile(trashFiles / "same"), "second");
}

// On another file system the item goes to that volume's own trash and comes back from it, never
// through a copy.
TEST_F(TrashRestore, AnItemOfAnotherFileSystemComesBackFromThatVolumesTrash)
{
    TempTree images;
    const auto volume = isolatedHome() / "items/volume";
    fs::create_directories(volume);
    // GIO trashes nothing on a tmpfs.
    ScopedMount mounted = ScopedMount::ext4(images.path("volume.img"), volume);
    if (!mounted.ok())
        GTEST_SKIP() << mounted.why();
    const auto item = volume / "photos";
    makeAwkwardTree(item);
    const auto before = snapshotOf(item);

    const TrashEntry entry = trashed(item);
    EXPECT_EQ(entry.trash, volume / (".Trash-" + std::to_string(::getuid())));
    EXPECT_TRUE(!fs::exists(trashFiles) || fs::is_empty(trashFiles));
    ASSERT_TRUE(restoreFromTrash(entry).ok());
    EXPECT_EQ(snapshotOf(item), before);
}
