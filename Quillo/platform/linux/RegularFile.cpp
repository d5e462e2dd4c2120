#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

namespace platform {

namespace {

int openForReading(int folderFd, const char* path, FinalLink link)
{
    const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | (link == FinalLink::refuse ? O_NOFOLLOW : 0);
    const int fd = ::openat(folderFd, path, flags | O_NOATIME);
    // O_NOATIME is refused on files of other owners; those are read the ordinary way.
    if (fd < 0 && errno == EPERM)
        return ::openat(folderFd, path, flags);
    return fd;
}

} // namespace

Result<RegularFile> RegularFile::opened(FileDescriptor fd)
{
    if (!fd.valid())
        return lastError();
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return lastError();
    if (!S_ISREG(st.st_mode))
        return Result<RegularFile>::failure(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    return RegularFile(std::move(fd), static_cast<std::int64_t>(st.st_size), ContentIdentifier{st.st_dev, st.st_ino});
}

Result<RegularFile> RegularFile::open(const std::filesystem::path& path, FinalLink link)
{
    return opened(FileDescriptor(openForReading(AT_FDCWD, path.c_str(), link)));
}

Result<RegularFile> RegularFile::openAt(int folderFd, const char* name)
{
    return opened(FileDescriptor(openForReading(folderFd, name, FinalLink::refuse)));
}

Result<std::size_t> RegularFile::read(std::span<std::byte> buffer)
{
    std::size_t filled = 0;
    while (filled < buffer.size()) {
        const ssize_t count = ::read(fd_.get(), buffer.data() + filled, buffer.size() - filled);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return lastError();
        if (count == 0)
            break;
        filled += static_cast<std::size_t>(count);
    }
    return filled;
}

Result<RegularFile::Stretch> RegularFile::stretchAt(std::int64_t offset) const
{
    const off_t data = ::lseek(fd_.get(), offset, SEEK_DATA);
    if (data < 0 && errno == ENXIO) {
        // Only a hole follows, or nothing at all.
        struct stat st {};
        if (::fstat(fd_.get(), &st) != 0)
            return lastError();
        const std::int64_t end = std::max<std::int64_t>(offset, st.st_size);
        return Stretch{end > offset, end};
    }
    if (data < 0 && errno == EINVAL)
        return Stretch{false, std::numeric_limits<std::int64_t>::max()};
    if (data < 0)
        return lastError();
    if (data > offset)
        return Stretch{true, data};
    const off_t hole = ::lseek(fd_.get(), offset, SEEK_HOLE);
    // ENXIO: the file was cut short in between.
    if (hole < 0 && errno == ENXIO)
        return Stretch{false, offset};
    if (hole < 0)
        return lastError();
    return Stretch{false, hole};
}

Result<std::size_t> RegularFile::readAt(std::int64_t offset, std::span<std::byte> buffer) const
{
    std::size_t filled = 0;
    while (filled < buffer.size()) {
        const ssize_t count = ::pread(fd_.get(), buffer.data() + filled, buffer.size() - filled,
                                      static_cast<off_t>(offset + static_cast<std::int64_t>(filled)));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return lastError();
        if (count == 0)
            break;
        filled += static_cast<std::size_t>(count);
    }
    return filled;
}

} // namespace platform
