#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <stdexcept>

#include <gtest/gtest.h>

#include "platform/FileContents.h"
#include "platform/RegularFile.h"
#include "support/TempTree.h"

using platform::RegularFile;

namespace {

// Tells whether a file was opened since the last look (inotify's IN_OPEN; a descriptor that only
// locates a file, O_PATH, is no opening).
class OpenWatch {
public:
    explicit OpenWatch(const std::filesystem::path& path) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (fd_ < 0 || ::inotify_add_watch(fd_, path.c_str(), IN_OPEN) < 0)
            throw std::runtime_error("inotify failed");
    }
    ~OpenWatch() { ::close(fd_); }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;

    bool opened() const
    {
        std::array<char, 4096> events{};
        return ::read(fd_, events.data(), events.size()) > 0;
    }

private:
    int fd_;
};

} // namespace

TEST(RegularFile, NeverOpensWhatIsNotARegularFile)
{
    TempTree tree;
    const auto target = tree.file("target", 100);
    EXPECT_TRUE(RegularFile::open(target));
    EXPECT_EQ(RegularFile::open(tree.symlink("link", target)).error(), std::errc::too_many_symbolic_link_levels);
    EXPECT_EQ(RegularFile::open(tree.folder("folder")).error(), std::errc::is_a_directory);
    EXPECT_EQ(RegularFile::open("/dev/null").error(), std::errc::invalid_argument);
    EXPECT_EQ(RegularFile::open(tree.path("missing")).error(), std::errc::no_such_file_or_directory);
    // Opening a FIFO for reading could wait for a writer, and opening a device runs its driver:
    // neither is opened at all, not even through a link.
    const auto pipe = tree.fifo("pipe");
    const OpenWatch watch(pipe);
    EXPECT_EQ(RegularFile::open(pipe).error(), std::errc::invalid_argument);
    EXPECT_EQ(platform::readFileContents(tree.symlink("link-to-pipe", pipe), 100).error(),
              std::errc::too_many_symbolic_link_levels);
    EXPECT_FALSE(watch.opened());
    tree.setMode("target", 0);
    EXPECT_EQ(RegularFile::open(target).error(), std::errc::permission_denied);
}

TEST(RegularFile, ReadingLeavesTheAccessDateAlone)
{
    TempTree tree;
    const auto path = tree.file("photo.raw", 50'000);
    // Accessed no later than modified: a relatime mount would update the access date on reading.
    tree.setModificationTime("photo.raw", 1'000'000'000);
    auto file = RegularFile::open(path);
    ASSERT_TRUE(file);
    std::array<std::byte, 65536> chunk{};
    ASSERT_TRUE(file->read(chunk));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_atime, 1'000'000'000);
}
