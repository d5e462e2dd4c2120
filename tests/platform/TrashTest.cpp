#include <unistd.h>

#include <chrono>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/PermanentRemoval.h"
#include "platform/Trash.h"
#include "support/IsolatedHome.h"
#include "support/TempTree.h"

using namespace platform;
namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

class Trash : public ::testing::Test {
protected:
    void SetUp() override
    {
        trashFiles = emptiedTrash();
        trash = trashFiles.parent_path();
    }

    // Made inside the home folder, the home trash's volume.
    fs::path homeFile(const std::string& relative, const std::string& contents = "x") const
    {
        return writeFile(isolatedHome() / "items" / relative, contents);
    }

    fs::path trashFiles;
    fs::path trash;
};

} // namespace

TEST_F(Trash, AnItemGoesToTheHomeTrashWithItsOriginalPathAndDate)
{
    const auto item = homeFile("folder with space/report é.txt", "data");
    ASSERT_TRUE(moveToTrash(item).ok());
    EXPECT_FALSE(isPresent(item));
    EXPECT_EQ(readFile(trashFiles / "report é.txt"), "data");

    const std::string info = readFile(trash / "info/report é.txt.trashinfo");
    EXPECT_THAT(info, StartsWith("[Trash Info]\n"));
    // The path is percent-encoded; the date is local time to the second.
    EXPECT_THAT(info, HasSubstr("Path=" + (isolatedHome() / "items").string() + "/folder%20with%20space/report%20%C3%A9.txt\n"));
    const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    char year[8];
    std::strftime(year, sizeof year, "%Y", std::localtime(&now));
    EXPECT_THAT(info, HasSubstr(std::string("DeletionDate=") + year + "-"));
}

// Each move tells the entry it became, also under a name GIO had to make unique: the entry an
// undo puts back is the item's own, never an older one of the same name.
TEST_F(Trash, NameCollisionsGetUniqueNamesAndOverwriteNothing)
{
    std::vector<std::string> names;
    for (const char* item : {"a/dup", "b/dup", "c/dup", "a/dup.tar.gz", "b/dup.tar.gz"}) {
        const auto path = homeFile(item, item);
        auto moved = moveToTrash(path);
        ASSERT_TRUE(moved.ok() && *moved) << item;
        const TrashEntry& entry = **moved;
        EXPECT_EQ(entry.trash, trash);
        EXPECT_EQ(entry.originalPath, path);
        EXPECT_EQ(readFile(trashFiles / entry.name), item);
        EXPECT_TRUE(fs::exists(trash / "info" / (entry.name + ".trashinfo")));
        names.push_back(entry.name);
    }
    EXPECT_THAT(names, ::testing::ElementsAre("dup", "dup.2", "dup.3", "dup.tar.gz", "dup.2.tar.gz"));
    EXPECT_THAT(readFile(trash / "info/dup.2.trashinfo"), HasSubstr("/items/b/dup\n"));
}

TEST_F(Trash, ATrashWhoseRecordsCannotBeWrittenFailsTheItemPromptly)
{
    ASSERT_TRUE(moveToTrash(homeFile("first")).ok()); // makes the Trash's folders
    fs::permissions(trash / "info", fs::perms::owner_read | fs::perms::owner_exec);
    const auto item = homeFile("kept", "precious");
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(moveToTrash(item).ok());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    fs::permissions(trash / "info", fs::perms::owner_all);
    EXPECT_EQ(readFile(item), "precious");
    EXPECT_FALSE(isPresent(trashFiles / "kept"));
}

TEST_F(Trash, WhatCannotBeMovedStaysWhereItIs)
{
    const auto locked = homeFile("locked/item/inside", "precious").parent_path();
    fs::permissions(locked.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(moveToTrash(locked).ok());
    fs::permissions(locked.parent_path(), fs::perms::owner_all);
    EXPECT_EQ(readFile(locked / "inside"), "precious");
    EXPECT_TRUE(!isPresent(trash / "info") || fs::is_empty(trash / "info"));

    EXPECT_EQ(moveToTrash(isolatedHome() / "items/missing").error(), std::errc::no_such_file_or_directory);
    EXPECT_EQ(moveToTrash(isolatedHome()).error(), std::errc::operation_not_permitted);
    EXPECT_FALSE(moveToTrash("/proc/cpuinfo").ok());
    EXPECT_TRUE(fs::exists(isolatedHome() / "items/locked"));
}

TEST_F(Trash, AFolderWithALinkToAnOutsideFolderGoesWithTheLinkAlone)
{
    const auto outside = homeFile("outside/keep", "kept");
    const auto folder = homeFile("folder/file").parent_path();
    fs::create_directory_symlink(outside.parent_path(), folder / "link");
    ASSERT_TRUE(moveToTrash(folder).ok());
    EXPECT_TRUE(fs::is_symlink(trashFiles / "folder/link"));
    EXPECT_EQ(readFile(outside), "kept");
}

TEST_F(Trash, DeletingATrashedItemForGoodTakesItsRecordsWithIt)
{
    for (const char* folder : {"gone", "stays", "odd name"})
        ASSERT_TRUE(moveToTrash(homeFile(folder + std::string("/f")).parent_path()).ok());
    writeFile(trash / "directorysizes", "4096 1700000000 gone\n4096 1700000000 stays\n4096 1700000000 odd%20name\n");
    for (const char* name : {"gone", "odd name"}) {
        ASSERT_TRUE(removePermanently(trashFiles / name).ok());
        forgetTrashedItem(trashFiles / name);
        EXPECT_FALSE(isPresent(trash / "info" / (std::string(name) + ".trashinfo"))) << name;
    }
    forgetDirectorySizes({trashFiles / "gone", trashFiles / "odd name", isolatedHome() / "items/stays"});
    EXPECT_TRUE(fs::exists(trash / "info/stays.trashinfo"));
    EXPECT_EQ(readFile(trash / "directorysizes"), "4096 1700000000 stays\n");
}

TEST_F(Trash, TheRecordsOfEveryTrashAndOfNothingElseAreForgotten)
{
    TempTree tree;
    const std::string topTrash = ".Trash-" + std::to_string(::getuid());
    const auto topRecord = tree.file(topTrash + "/info/x.trashinfo");
    const auto sharedRecord = tree.file(".Trash/" + std::to_string(::getuid()) + "/info/x.trashinfo");
    tree.setMode(".Trash", 01777);
    forgetTrashedItem(tree.path(topTrash + "/files/x"));
    forgetTrashedItem(tree.path(".Trash/" + std::to_string(::getuid()) + "/files/x"));
    EXPECT_FALSE(isPresent(topRecord));
    EXPECT_FALSE(isPresent(sharedRecord));

    const auto unrelated = tree.file("info/x.trashinfo");
    forgetTrashedItem(tree.path("files/x"));
    forgetTrashedItem(homeFile("files/x"));
    EXPECT_TRUE(fs::exists(unrelated));

    // Nor through a trash folder that is a link.
    const auto linkedRecord = tree.file("elsewhere/info/x.trashinfo");
    fs::remove_all(tree.path(topTrash));
    tree.symlink(topTrash, tree.path("elsewhere"));
    forgetTrashedItem(tree.path(topTrash + "/files/x"));
    EXPECT_TRUE(fs::exists(linkedRecord));
}

// A link among the home trash's own folders could lead anywhere: GIO would file items there, and
// deleting "trashed" entries would delete whatever it leads to.
TEST_F(Trash, AHomeTrashWhoseFoldersAreLinksIsNeitherFilledNorEmptied)
{
    TempTree elsewhere;
    for (const std::string linked : {"", "/files", "/info"}) {
        emptiedTrash();
        const auto precious = writeFile(trash / "files/precious", "precious");
        writeFile(trash / "info/precious.trashinfo", "[Trash Info]\n");
        const auto target = elsewhere.path("target" + linked);
        fs::create_directories(target.parent_path());
        fs::rename(trash.string() + linked, target);
        fs::create_directory_symlink(target, trash.string() + linked);

        const auto item = homeFile("item");
        EXPECT_EQ(moveToTrash(item).error(), std::errc::permission_denied) << linked;
        EXPECT_TRUE(fs::exists(item));
        EXPECT_EQ(removePermanently(trashFiles / "precious").error, std::errc::permission_denied) << linked;
        forgetTrashedItem(trashFiles / "precious");
        EXPECT_EQ(readFile(precious), "precious") << linked;
        EXPECT_TRUE(fs::exists(trash / "info/precious.trashinfo")) << linked;

        fs::remove(trash.string() + linked);
        fs::remove_all(elsewhere.path("target"));
    }
}
