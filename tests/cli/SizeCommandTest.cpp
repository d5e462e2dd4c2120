#include <gtest/gtest.h>

#include "cli/QuilloProcess.h"
#include "scan/FileSize.h"
#include "support/TempTree.h"

namespace {

QString text(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

} // namespace

TEST(SizeCommand, PrintsBytesAndPathPerArgument)
{
    TempTree tree;
    tree.file("a/one", 12'345);
    tree.file("b", 70'000);
    const QuilloRun run = runQuillo({"size", text(tree.path("a")), text(tree.path("b"))});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::to_string(FileSize::allocated(tree.path("a"))) + "\t" + tree.path("a").string() + "\n" +
                           std::to_string(allocatedSizeOf(tree.path("b"))) + "\t" + tree.path("b").string() + "\n");
}

TEST(SizeCommand, UsageAndMissingPaths)
{
    TempTree tree;
    tree.file("here", 1);
    EXPECT_EQ(runQuillo({"size"}).status, 2);
    EXPECT_EQ(runQuillo({}).status, 2);
    EXPECT_EQ(runQuillo({"frobnicate"}).status, 2);
    const QuilloRun run = runQuillo({"size", text(tree.path("gone")), text(tree.path("here"))});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, std::to_string(allocatedSizeOf(tree.path("here"))) + "\t" + tree.path("here").string() + "\n");
    EXPECT_NE(run.err.find("gone"), std::string::npos);
}
