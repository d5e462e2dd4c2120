#include <sys/wait.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "scan/FileSize.h"
#include "support/TempTree.h"

namespace {

struct CommandRun {
    int status;
    std::string out;
};

// Runs the built `quillo` with `arguments` (already quoted for the shell).
CommandRun quillo(const std::string& arguments)
{
    const std::string command = std::string(QUILLO_BINARY_DIR) + "/Quillo/cli/quillo " + arguments + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    return {WEXITSTATUS(::pclose(pipe)), out};
}

} // namespace

TEST(SizeCommand, PrintsBytesAndPathPerArgument)
{
    TempTree tree;
    tree.file("a/one", 12'345);
    tree.file("b", 70'000);
    const CommandRun run = quillo("size '" + tree.path("a").string() + "' '" + tree.path("b").string() + "'");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::to_string(FileSize::allocated(tree.path("a"))) + "\t" + tree.path("a").string() + "\n" +
                           std::to_string(allocatedSizeOf(tree.path("b"))) + "\t" + tree.path("b").string() + "\n");
}

TEST(SizeCommand, UsageAndMissingPaths)
{
    TempTree tree;
    tree.file("here", 1);
    EXPECT_EQ(quillo("size").status, 2);
    EXPECT_EQ(quillo("").status, 2);
    EXPECT_EQ(quillo("frobnicate").status, 2);
    const CommandRun run = quillo("size '" + tree.path("gone").string() + "' '" + tree.path("here").string() + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, std::to_string(allocatedSizeOf(tree.path("here"))) + "\t" + tree.path("here").string() + "\n");
}
