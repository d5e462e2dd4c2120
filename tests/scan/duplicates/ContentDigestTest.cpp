#include <gtest/gtest.h>

#include "scan/duplicates/ContentDigest.h"
#include "support/TempTree.h"

TEST(ContentDigest, Sha256InLowerCaseHexOfTheWholeFileOrItsBeginning)
{
    TempTree tree;
    const auto abc = writeFile(tree.path("abc"), "abc");
    EXPECT_EQ(DiskScanner::hash(abc, std::nullopt), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(DiskScanner::hash(abc, 2), "fb8e20fc2e4c3f248c60c39bd652f3c1347298bb977b8b4d5903b85055620603");
    const std::string empty = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";
    EXPECT_EQ(DiskScanner::hash(abc, 0), empty);
    EXPECT_EQ(DiskScanner::hash(tree.file("empty"), std::nullopt), empty);
    // Several read chunks, and a limit that ends inside the first.
    const auto large = tree.file("large", 3'000'000, 'x');
    EXPECT_EQ(DiskScanner::hash(large, std::nullopt), "e55b8bdf621ddaa8f462c74745db9680d3bb7536a9cf854f8d6668b34a287890");
    EXPECT_EQ(DiskScanner::hash(large, 65'536), "1f8745f0d2d1387ec1af2211a3cf417b2e9e885e853472649c1d979d0e9370e3");
}

TEST(ContentDigest, NothingForWhatCannotBeReadWholeOrAfterAStop)
{
    TempTree tree;
    const auto file = tree.file("file", 5000);
    EXPECT_FALSE(DiskScanner::hash(tree.symlink("link", file), std::nullopt));
    EXPECT_FALSE(DiskScanner::hash(tree.fifo("pipe"), std::nullopt));
    // A regular file whose reading fails at once: a digest would stand for content never read.
    EXPECT_FALSE(DiskScanner::hash("/proc/self/mem", std::nullopt));
    std::stop_source stop;
    stop.request_stop();
    EXPECT_FALSE(DiskScanner::hash(file, std::nullopt, stop.get_token()));
    tree.setMode("file", 0);
    EXPECT_FALSE(DiskScanner::hash(file, std::nullopt));
}
