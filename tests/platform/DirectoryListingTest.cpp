#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/DirectoryListing.h"
#include "platform/FileAttributes.h"
#include "platform/Packages.h"
#include "platform/WellKnownFolders.h"
#include "support/TempTree.h"

using namespace platform;
using ::testing::UnorderedElementsAre;

namespace {

std::vector<std::string> names(const Result<std::vector<DirectoryEntry>>& listing)
{
    std::vector<std::string> result;
    for (const auto& entry : listing.value())
        result.push_back(entry.name);
    return result;
}

} // namespace

// A well-known folder may itself be a link (Downloads moved to another drive); failures carry
// the system's reason.
TEST(DirectoryListing, ListsDirectEntriesWithOrWithoutHiddenOnesEvenThroughALink)
{
    TempTree tree;
    tree.file(".hidden", 1);
    tree.file("visible", 1);
    tree.file("folder/deeper", 1);
    tree.folder("locked");
    tree.setMode("locked", 0);
    EXPECT_THAT(names(listDirectory(tree.root())), UnorderedElementsAre(".hidden", "visible", "folder", "locked"));
    EXPECT_THAT(names(listDirectory(tree.root(), {.skipHidden = true})), UnorderedElementsAre("visible", "folder", "locked"));
    const auto linked = listDirectory(tree.symlink("link", tree.path("folder")));
    ASSERT_TRUE(linked);
    EXPECT_EQ(linked->front().path, tree.path("link/deeper"));

    EXPECT_EQ(listDirectory(tree.path("missing")).error(), std::errc::no_such_file_or_directory);
    EXPECT_EQ(listDirectory(tree.path("visible")).error(), std::errc::not_a_directory);
    EXPECT_EQ(listDirectory(tree.path("locked")).error(), std::errc::permission_denied);
}

TEST(FileAttributes, ReadsTheEntryItselfNeverTheLinkTarget)
{
    TempTree tree;
    tree.file("data", 100'000);
    tree.symlink("link", tree.path("data"));
    tree.setModificationTime("data", 1'600'000'000);
    const AttributeKeys keys = AttributeKey::allocatedSize | AttributeKey::logicalSize |
                               AttributeKey::modificationDate | AttributeKey::contentIdentifier;
    const auto data = readAttributes(tree.path("data"), keys);
    const auto link = readAttributes(tree.path("link"), keys);
    ASSERT_TRUE(data && link);
    EXPECT_TRUE(data->isRegularFile());
    EXPECT_EQ(data->logicalSize, 100'000);
    EXPECT_GE(data->allocatedSize.value_or(0), 0);
    EXPECT_EQ(data->modificationDate, TimePoint(std::chrono::seconds(1'600'000'000)));
    EXPECT_TRUE(link->isSymbolicLink());
    EXPECT_NE(link->contentIdentifier, data->contentIdentifier);
    // Only what was asked is there.
    EXPECT_FALSE(data->accessDate);
    EXPECT_EQ(readAttributes(tree.path("missing"), keys).error(), std::errc::no_such_file_or_directory);

    // Hard links of one file share its content identifier.
    std::filesystem::create_hard_link(tree.path("data"), tree.path("hard"));
    EXPECT_EQ(readAttributes(tree.path("hard"), keys)->contentIdentifier, data->contentIdentifier);
}

TEST(Packages, KnownExtensionsInAnyCase)
{
    EXPECT_TRUE(isPackageName("Foo.APP"));
    EXPECT_TRUE(isPackageName("Photos Library.photoslibrary"));
    EXPECT_FALSE(isPackageName(".app"));
    EXPECT_FALSE(isPackageName("my.application"));
}

TEST(WellKnownFolders, TheTrashFollowsXdgDataHomeWhenAbsolute)
{
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string restore = saved ? saved : "";
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(WellKnownFolders::trashFiles("/home/ann"), "/home/ann/.local/share/Trash/files");
    ::setenv("XDG_DATA_HOME", "relative/data", 1);
    EXPECT_EQ(WellKnownFolders::trashFiles("/home/ann"), "/home/ann/.local/share/Trash/files");
    ::setenv("XDG_DATA_HOME", "/data/ann", 1);
    EXPECT_EQ(WellKnownFolders::trashFiles("/home/ann"), "/data/ann/Trash/files");
    if (saved)
        ::setenv("XDG_DATA_HOME", restore.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}
