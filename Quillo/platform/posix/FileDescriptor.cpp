#include "platform/FileDescriptor.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int followingFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK;
constexpr int directoryFlags = followingFlags | O_NOFOLLOW;

Result<FileDescriptor> wrap(int fd)
{
    if (fd < 0)
        return lastError();
    return FileDescriptor(fd);
}

} // namespace

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        reset();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void FileDescriptor::reset()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

Result<FileDescriptor> openDirectory(const std::filesystem::path& path, FinalLink link)
{
    return wrap(::open(path.c_str(), link == FinalLink::follow ? followingFlags : directoryFlags));
}

Result<FileDescriptor> openDirectoryAt(int parentFd, const char* name)
{
    return wrap(::openat(parentFd, name, directoryFlags));
}

} // namespace platform
