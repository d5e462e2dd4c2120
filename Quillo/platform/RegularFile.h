#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "platform/FileDescriptor.h"
#include "platform/Result.h"

namespace platform {

// A regular file open for reading its contents, closed when dropped.
class RegularFile {
public:
    // Opens `path` for reading, and never anything but a regular file: a symbolic link as the last
    // component is refused unless `follow` is asked, and a FIFO, socket, device or folder found
    // there (one may have taken the file's place since it was listed) fails with EINVAL or
    // EISDIR, without ever blocking on it. Reading does not count as a use of the file where the
    // system lets us say so (Linux: O_NOATIME for the file's owner), so a scan that reads files
    // leaves their last-access dates alone.
    static Result<RegularFile> open(const std::filesystem::path& path, FinalLink link = FinalLink::refuse);

    // The file's length when it was opened; it may change while it is read.
    std::int64_t sizeWhenOpened() const { return size_; }

    // Fills `buffer` from the current position; fewer bytes only at the end of the file, none
    // after it.
    Result<std::size_t> read(std::span<std::byte> buffer);

private:
    RegularFile(FileDescriptor fd, std::int64_t size) : fd_(std::move(fd)), size_(size) {}

    FileDescriptor fd_;
    std::int64_t size_;
};

} // namespace platform
