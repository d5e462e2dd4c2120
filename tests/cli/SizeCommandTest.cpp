#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "cli/QuilloProcess.h"
#include "scan/FileSize.h"
#include "support/ScopedMount.h"
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

    // A path that is not UTF-8 is measured by its exact bytes, and printed escaped.
    tree.file("bad-\xff", 5'000);
    const QuilloRun bad = runShell("\"$QUILLO\" size \"$(printf '%s/bad-\\377' " + shellQuoted(text(tree.root())) + ")\"", tree.root());
    EXPECT_EQ(bad.status, 0) << bad.err;
    EXPECT_EQ(bad.out, std::to_string(allocatedSizeOf(tree.path("bad-\xff"))) + "\t'" + tree.root().string() + "/bad-'$'\\377'\n");
}

TEST(SizeCommand, UsageAndMissingPaths)
{
    TempTree tree;
    tree.file("here", 1);
    EXPECT_EQ(runQuillo({"size"}).status, 2);
    EXPECT_EQ(runQuillo({}).status, 2);
    EXPECT_EQ(runQuillo({"frobnicate"}).status, 2);
    const QuilloRun run = runQuillo({"size", text(tree.path("gone")), "", text(tree.path("here"))});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, std::to_string(allocatedSizeOf(tree.path("here"))) + "\t" + tree.path("here").string() + "\n");
    EXPECT_EQ(run.err, "quillo size: cannot access '" + tree.path("gone").string() +
                           "': No such file or directory\nquillo size: cannot access '': No such file or directory\n");
    // A relative path where the working folder is gone names nothing; it is not a crash.
    const QuilloRun orphaned = runQuillo({"size", "here"}, {}, inRemovedWorkingFolder(tree.folder("removed")));
    EXPECT_EQ(orphaned.status, 1);
    EXPECT_EQ(orphaned.err, "quillo size: cannot access 'here': No such file or directory\n");
}

TEST(SizeCommand, WarnsOfEachUnreadableFolderAndStillPrintsTheTotal)
{
    TempTree tree;
    tree.file("top/readable/a", 10'000);
    tree.file("top/locked/secret", 10'000);
    tree.file("top/readable/locked-too/secret", 10'000);
    tree.setMode("top/locked", 0);
    tree.setMode("top/readable/locked-too", 0);
    const QuilloRun run = runQuillo({"size", text(tree.path("top"))});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, std::to_string(FileSize::allocated(tree.path("top"))) + "\t" + tree.path("top").string() + "\n");
    EXPECT_EQ(run.err, "quillo size: cannot read '" + tree.path("top/locked").string() +
                           "': Permission denied\nquillo size: cannot read '" +
                           tree.path("top/readable/locked-too").string() + "': Permission denied\n");
    // The root itself, too.
    const QuilloRun root = runQuillo({"size", text(tree.path("top/locked"))});
    EXPECT_EQ(root.status, 1);
    EXPECT_EQ(root.out, "0\t" + tree.path("top/locked").string() + "\n");
}

// As du's --exclude and -x do: what a pattern covers is not counted, nor a file system mounted
// inside but with --cross-mounts.
TEST(SizeCommand, ExcludedPathsAndOtherFileSystemsAreLeftOutUnlessAsked)
{
    TempTree tree;
    const auto counted = tree.file("top/src/main.c", 10'000);
    tree.file("top/disk.iso", 30'000);
    tree.file("top/a/build/out.o", 20'000);
    tree.folder("top/mounted");
    ScopedMount mount = ScopedMount::tmpfs(tree.path("top/mounted"));
    if (!mount.ok())
        GTEST_SKIP() << mount.why();
    const auto elsewhere = tree.file("top/mounted/data", 40'000);
    auto bytes = [](const QuilloRun& run) {
        EXPECT_EQ(run.status, 0) << run.err;
        return std::stoll(run.out.substr(0, run.out.find('\t')));
    };
    EXPECT_EQ(bytes(runQuillo({"size", "--exclude", "*.iso", "--exclude", text(tree.path("top")) + "/*/build",
                               text(tree.path("top"))})),
              allocatedSizeOf(counted));
    EXPECT_EQ(bytes(runQuillo({"size", "--cross-mounts", "--exclude=*.iso", "--exclude=a", text(tree.path("top"))})),
              allocatedSizeOf(counted) + allocatedSizeOf(elsewhere));
    EXPECT_EQ(bytes(runQuillo({"size", "--exclude=top", text(tree.path("top"))})), 0);
}

// The same on a file system the machine mounts itself, where it has one: the tmpfs at /dev/shm.
TEST(SizeCommand, StaysOffTheMachinesOwnTmpfsUnlessAsked)
{
    struct stat dev{};
    struct stat shm{};
    if (::lstat("/dev", &dev) != 0 || ::lstat("/dev/shm", &shm) != 0 || dev.st_dev == shm.st_dev)
        GTEST_SKIP() << "/dev/shm is not a file system of its own on this machine";
    // Parts of /dev may be unreadable: only the totals matter.
    auto bytes = [](const QStringList& arguments) {
        const QuilloRun run = runQuillo(arguments);
        return std::stoll(run.out.substr(0, run.out.find('\t')));
    };
    const std::int64_t before = bytes({"size", "/dev"});
    struct OwnFile {
        std::filesystem::path path;
        ~OwnFile() { std::filesystem::remove(path); }
    } ours{"/dev/shm/quillo-test-" + std::to_string(::getpid())};
    writeFile(ours.path, std::string(1 << 20, 'x'));
    if (!isPresent(ours.path))
        GTEST_SKIP() << "cannot write to /dev/shm";
    EXPECT_EQ(bytes({"size", "/dev"}), before);
    EXPECT_GE(bytes({"size", "--cross-mounts", "/dev"}), before + allocatedSizeOf(ours.path));
}
