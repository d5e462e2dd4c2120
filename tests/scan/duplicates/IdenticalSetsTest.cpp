#include <fstream>
#include <random>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scan/DiskScanner.h"
#include "scan/duplicates/FilesBySize.h"
#include "scan/duplicates/IdenticalSets.h"
#include "support/TempTree.h"

using DiskScanner::FileInfo;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

namespace {

// `size` bytes of noise fixed by `seed`.
std::string noise(unsigned seed, std::size_t size)
{
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator());
    return bytes;
}

FileInfo infoOf(const std::filesystem::path& path)
{
    FileInfo info;
    info.url = path;
    info.size = static_cast<std::int64_t>(std::filesystem::file_size(path));
    auto attributes = platform::readAttributes(path, platform::AttributeKey::contentIdentifier);
    if (attributes)
        info.contentID = attributes->contentIdentifier;
    return info;
}

std::vector<std::vector<std::string>> setNames(const DiskScanner::IdenticalSets& sets)
{
    std::vector<std::vector<std::string>> names;
    for (const auto& set : sets) {
        auto& current = names.emplace_back();
        for (const FileInfo& file : set)
            current.push_back(file.url.filename().string());
    }
    return names;
}

class DuplicatesTest : public ::testing::Test {
protected:
    void SetUp() override { DiskScanner::setHomeForTesting(home.root()); }

    std::filesystem::path write(const std::string& relative, const std::string& bytes) const
    {
        return writeFile(home.path(relative), bytes);
    }

    TempTree home;
};

} // namespace

TEST_F(DuplicatesTest, FilesThatChangedOrCannotBeReadNeverMatch)
{
    const std::string bytes = noise(4, 150'000);
    for (const char* name : {"kept", "vanished", "grown", "locked"})
        write(name, bytes);
    std::vector<FileInfo> files;
    for (const char* name : {"kept", "vanished", "grown", "locked"})
        files.push_back(infoOf(home.path(name)));
    std::filesystem::remove(home.path("vanished"));
    std::ofstream(home.path("grown"), std::ios::app) << "more";
    home.setMode("locked", 0);
    // A FIFO under a listed name must not block the search.
    FileInfo& pipe = files.emplace_back();
    pipe.url = home.fifo("pipe");
    pipe.size = 150'000;
    EXPECT_THAT(DiskScanner::identicalSets(files), IsEmpty());

    write("twin", bytes);
    files.push_back(infoOf(home.path("twin")));
    EXPECT_THAT(setNames(DiskScanner::identicalSets(files)), ElementsAre(ElementsAre("kept", "twin")));
}

TEST_F(DuplicatesTest, FilesBySizeWalksOnlyTheUsersOwnFilesAtOrAboveTheMinimum)
{
    const std::string bytes = noise(5, 2000);
    for (const char* kept : {"Documents/a", "Documents/deep/b", "build/c", "Documents/Build/d"})
        write(kept, bytes);
    for (const char* skipped : {"Documents/build/x", "Documents/Library/x", "Documents/node_modules/x",
                                "Documents/Tool.app/x", "Documents/.hidden", "Documents/.folder/x"})
        write(skipped, bytes);
    home.symlink("Documents/link", home.path("Documents/a"));
    home.fifo("Documents/pipe");
    write("Documents/small", bytes.substr(1));

    const auto buckets = DiskScanner::filesBySize({home.path("Documents"), home.path("build")}, 2000);
    ASSERT_EQ(buckets.size(), 1u);
    std::vector<std::string> found;
    for (const FileInfo& file : buckets.at(2000)) {
        found.push_back(file.url.lexically_relative(home.root()).string());
        EXPECT_TRUE(file.contentID.has_value());
        EXPECT_TRUE(file.created.has_value());
    }
    EXPECT_THAT(found, UnorderedElementsAre("Documents/a", "Documents/deep/b", "Documents/Build/d", "build/c"));
    EXPECT_EQ(found.back(), "build/c") << "roots are walked in order";
}
