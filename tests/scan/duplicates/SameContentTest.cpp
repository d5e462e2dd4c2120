// The side-by-side comparison stops reading a file at its first difference and passes holes
// unread; held here to the plain answer, whole contents compared byte for byte.
#include <algorithm>
#include <fstream>
#include <map>
#include <random>

#include <gtest/gtest.h>

#include "scan/duplicates/SameContent.h"
#include "support/SparseFile.h"
#include "support/TempTree.h"

using DiskScanner::IndexClass;

namespace {

// The classes of two files or more whose whole contents are equal; an unreadable file joins none.
std::vector<IndexClass> byteForByteClasses(const std::vector<std::filesystem::path>& files)
{
    std::map<std::string, IndexClass> byContent;
    for (std::size_t index = 0; index < files.size(); ++index) {
        if (std::ifstream(files[index]))
            byContent[readFile(files[index])].push_back(index);
    }
    std::vector<IndexClass> classes;
    for (const auto& [content, members] : byContent) {
        if (members.size() >= 2)
            classes.push_back(members);
    }
    std::ranges::sort(classes);
    return classes;
}

} // namespace

TEST(SameContent, GivesTheClassesOfAPlainByteForByteComparison)
{
    TempTree tree;
    std::mt19937 random(20240607);
    auto noise = [&](std::size_t size) {
        std::string bytes(size, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        return bytes;
    };
    // Differences from the first byte, across the 64 KiB and 128 KiB marks, and at the very end.
    auto variant = [&](std::string bytes) {
        const std::size_t places[] = {0, 65'535, 65'536, 131'071, 131'072, bytes.size() - 1};
        bytes[std::min(places[random() % std::size(places)], bytes.size() - 1)] ^= static_cast<char>(1 + random() % 255);
        return bytes;
    };
    const std::size_t sizes[] = {1, 100, 65'536, 131'072, 131'073, 300'000};
    int written = 0;
    for (int group = 0; group < 30; ++group) {
        std::vector<std::string> contents{noise(sizes[group % std::size(sizes)])};
        std::vector<std::filesystem::path> files;
        for (int i = 0, count = 2 + static_cast<int>(random() % 8); i < count; ++i) {
            const unsigned kind = random() % 10;
            std::string bytes = kind < 5 ? contents[random() % contents.size()] : contents.emplace_back(variant(contents[0]));
            files.push_back(writeFile(tree.path("f" + std::to_string(written++)), bytes));
            if (kind == 9)
                std::filesystem::permissions(files.back(), std::filesystem::perms::none);
        }
        EXPECT_EQ(DiskScanner::sameContentClasses(files, {}), byteForByteClasses(files)) << "group " << group;
    }

    // Holes: zeros written out in place of a hole are the same content, a byte is not; a file of
    // another length never matches, however alike its beginning.
    constexpr std::int64_t length = 8 << 20;
    const std::string data = noise(5'000);
    std::vector<std::filesystem::path> sparse;
    for (const auto& [name, middle] : {std::pair{"hole", std::string()}, {"zeros", std::string(70'000, '\0')},
                                       {"byte", std::string("b")}, {"zeros-again", std::string(300'000, '\0')}})
        sparse.push_back(writeSparseFile(tree.path(name), length, {{8192, data}, {length / 2, middle}, {length - 9, "end"}}));
    sparse.push_back(writeSparseFile(tree.path("longer"), length + 1, {{8192, data}, {length - 9, "end"}}));
    EXPECT_EQ(DiskScanner::sameContentClasses(sparse, {}), byteForByteClasses(sparse));
    EXPECT_EQ(DiskScanner::sameContentClasses(sparse, {}), (std::vector<IndexClass>{{0, 1, 3}}));

    std::stop_source stop;
    stop.request_stop();
    EXPECT_TRUE(DiskScanner::sameContentClasses(sparse, stop.get_token()).empty());
}
