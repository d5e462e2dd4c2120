#pragma once

#include <filesystem>
#include <utility>

#include "platform/Result.h"

namespace platform {

// Owns one open file descriptor and closes it when dropped.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { reset(); }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release() { return std::exchange(fd_, -1); }
    void reset();

private:
    int fd_ = -1;
};

enum class FinalLink { refuse, follow };

// Opens a folder for reading its entries, and never anything but a folder (so a FIFO swapped in
// cannot block the caller). A symbolic link as the last component is refused unless `follow`
// is asked: a well-known folder such as the home folder may itself be a link.
Result<FileDescriptor> openDirectory(const std::filesystem::path& path, FinalLink link = FinalLink::refuse);
// Opens the folder `name` inside the open folder `parentFd`; never follows a link.
Result<FileDescriptor> openDirectoryAt(int parentFd, const char* name);

} // namespace platform
