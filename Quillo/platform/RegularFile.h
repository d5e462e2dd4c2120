#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "platform/FileAttributes.h"
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
    // The same for the entry `name` of the open folder `folderFd`; a link there is refused.
    static Result<RegularFile> openAt(int folderFd, const char* name);

    // The file's length when it was opened; it may change while it is read.
    std::int64_t sizeWhenOpened() const { return size_; }
    // The file that was opened, whatever its name leads to since.
    const ContentIdentifier& identity() const { return identity_; }

    // Fills `buffer` from the current position; fewer bytes only at the end of the file, none
    // after it.
    Result<std::size_t> read(std::span<std::byte> buffer);

    // What the file holds from `offset` up to `end`: data, or a hole (zeros the file system keeps
    // no blocks for, which need not be read). At or after the end of the file: data ending where
    // it begins. Where the system cannot tell, everything is data. Moves the position `read`
    // continues from: stretches are read with readAt.
    struct Stretch {
        bool isHole = false;
        std::int64_t end = 0;
    };
    Result<Stretch> stretchAt(std::int64_t offset) const;
    // Fills `buffer` from `offset`, leaving the current position alone; fewer bytes only at the
    // end of the file.
    Result<std::size_t> readAt(std::int64_t offset, std::span<std::byte> buffer) const;

private:
    RegularFile(FileDescriptor fd, std::int64_t size, ContentIdentifier identity)
        : fd_(std::move(fd)), size_(size), identity_(identity)
    {
    }
    // Opens for reading the file `located` (an O_PATH descriptor) refers to, if it is regular.
    static Result<RegularFile> opened(FileDescriptor located);

    FileDescriptor fd_;
    std::int64_t size_;
    ContentIdentifier identity_;
};

} // namespace platform
