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
    // component fails with ELOOP (the folders on the way are the caller's to trust), a folder with
    // EISDIR, and a FIFO, socket or device (one may have taken the file's place since it was
    // listed) with EINVAL, without ever being opened, so nothing blocks and no driver runs.
    // Reading does not count as a use of the file where the system lets us say so (Linux:
    // O_NOATIME for the file's owner), so a scan that reads files leaves their last-access dates
    // alone.
    static Result<RegularFile> open(const std::filesystem::path& path);

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
