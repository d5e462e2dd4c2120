#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// A temporary folder tree for one test, removed with everything in it when the test ends (also
// trees too deep for path-based calls, and folders a test made unreadable).
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path path(std::string_view relative) const { return root_ / relative; }

    // Creates the parent folders as needed. `size` bytes of `fill`.
    std::filesystem::path file(std::string_view relative, std::int64_t size = 0, char fill = 'x') const;
    std::filesystem::path folder(std::string_view relative) const;
    std::filesystem::path symlink(std::string_view relative, const std::filesystem::path& target) const;
    std::filesystem::path fifo(std::string_view relative) const;
    void setModificationTime(std::string_view relative, std::int64_t secondsSinceEpoch) const;
    void setMode(std::string_view relative, unsigned mode) const;

private:
    std::filesystem::path root_;
};

// Makes a chain of `depth` nested folders named "d" through descriptors, far deeper than any
// path may be long, with a file "bottom" of `fileSize` bytes at the bottom.
void makeDeepChain(const std::filesystem::path& root, int depth, std::int64_t fileSize);

// Writes `bytes` to `path`, creating the parent folders as needed; returns `path`.
std::filesystem::path writeFile(const std::filesystem::path& path, std::string_view bytes);
// What `path` holds; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);

// Whether anything is at `path`, a dangling link included.
bool isPresent(const std::filesystem::path& path);

// Bytes a file of `size` bytes written in one go occupies on the file system the tests use.
std::int64_t allocatedSizeOf(const std::filesystem::path& path);
