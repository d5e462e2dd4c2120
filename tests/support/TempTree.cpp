#include "support/TempTree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

TempTree::TempTree()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quillo-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
}

TempTree::~TempTree()
{
    // Folders a test made unreadable must be opened again before they can be emptied; GNU rm
    // handles trees deeper than any path can be long.
    const std::string quoted = "'" + root_.string() + "'";
    [[maybe_unused]] int chmod = std::system(("chmod -R u+rwx " + quoted + " 2>/dev/null").c_str());
    [[maybe_unused]] int rm = std::system(("rm -rf " + quoted).c_str());
}

std::filesystem::path TempTree::file(std::string_view relative, std::int64_t size, char fill) const
{
    return writeFile(path(relative), std::string(static_cast<std::size_t>(size), fill));
}

std::filesystem::path TempTree::folder(std::string_view relative) const
{
    const auto full = path(relative);
    std::filesystem::create_directories(full);
    return full;
}

std::filesystem::path TempTree::symlink(std::string_view relative, const std::filesystem::path& target) const
{
    const auto full = path(relative);
    std::filesystem::create_directories(full.parent_path());
    std::filesystem::create_symlink(target, full);
    return full;
}

std::filesystem::path TempTree::fifo(std::string_view relative) const
{
    const auto full = path(relative);
    std::filesystem::create_directories(full.parent_path());
    if (::mkfifo(full.c_str(), 0644) != 0)
        throw std::runtime_error("mkfifo failed");
    return full;
}

void TempTree::setModificationTime(std::string_view relative, std::int64_t secondsSinceEpoch) const
{
    const struct timeval times[2] = {{secondsSinceEpoch, 0}, {secondsSinceEpoch, 0}};
    if (::lutimes(path(relative).c_str(), times) != 0)
        throw std::runtime_error("lutimes failed");
}

void TempTree::setMode(std::string_view relative, unsigned mode) const
{
    if (::chmod(path(relative).c_str(), mode) != 0)
        throw std::runtime_error("chmod failed");
}

std::int64_t allocatedSizeOf(const std::filesystem::path& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        throw std::runtime_error("lstat failed");
    return static_cast<std::int64_t>(st.st_blocks) * 512;
}

void makeDeepChain(const std::filesystem::path& root, int depth, std::int64_t fileSize)
{
    int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; level < depth; ++level) {
        if (::mkdirat(fd, "d", 0755) != 0)
            throw std::runtime_error("mkdirat failed");
        int next = ::openat(fd, "d", O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
    }
    int file = ::openat(fd, "bottom", O_WRONLY | O_CREAT, 0644);
    std::string data(static_cast<std::size_t>(fileSize), 'z');
    const bool written = ::write(file, data.data(), data.size()) == static_cast<ssize_t>(data.size());
    ::close(file);
    ::close(fd);
    if (!written)
        throw std::runtime_error("cannot write the bottom of a deep chain");
}

std::filesystem::path writeFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
    return path;
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool isPresent(const std::filesystem::path& path)
{
    std::error_code ignored;
    return std::filesystem::symlink_status(path, ignored).type() != std::filesystem::file_type::not_found;
}
