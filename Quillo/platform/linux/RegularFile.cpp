#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>

namespace platform {

namespace {

int errorForNonRegular(mode_t mode)
{
    if (S_ISLNK(mode))
        return ELOOP;
    return S_ISDIR(mode) ? EISDIR : EINVAL;
}

// Opens for reading exactly the file `located` refers to: through /proc, the path of an open
// descriptor leads to its inode, whatever has taken the file's name since.
int openLocated(int located)
{
    char path[32];
    std::snprintf(path, sizeof path, "/proc/self/fd/%d", located);
    const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    int fd = ::open(path, flags | O_NOATIME);
    // O_NOATIME is refused on files of other owners; those are read the ordinary way.
    if (fd < 0 && errno == EPERM)
        fd = ::open(path, flags);
    // The located file cannot be missing: without /proc there is no safe way to read it, and
    // that must not pass for a missing file.
    if (fd < 0 && errno == ENOENT)
        errno = EOPNOTSUPP;
    return fd;
}

// Fills `buffer` with what `readSome(into, wanted, filled)` gives, one system call after another,
// until it is full or the file ends.
template <class ReadSome>
Result<std::size_t> fill(std::span<std::byte> buffer, ReadSome&& readSome)
{
    std::size_t filled = 0;
    while (filled < buffer.size()) {
        const ssize_t count = readSome(buffer.data() + filled, buffer.size() - filled, filled);
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

} // namespace

// Opening a device for reading runs its driver (a serial port's lines change, a kernel log is
// consumed), and a FIFO can block: the entry is looked at through a descriptor that reads
// nothing (O_PATH), and only a regular file is then opened for reading.
Result<RegularFile> RegularFile::opened(FileDescriptor located)
{
    if (!located.valid())
        return lastError();
    struct stat st {};
    if (::fstat(located.get(), &st) != 0)
        return lastError();
    if (!S_ISREG(st.st_mode))
        return Result<RegularFile>::failure(errorForNonRegular(st.st_mode));
    FileDescriptor fd(openLocated(located.get()));
    if (!fd.valid())
        return lastError();
    return RegularFile(std::move(fd), static_cast<std::int64_t>(st.st_size), ContentIdentifier{st.st_dev, st.st_ino});
}

Result<RegularFile> RegularFile::open(const std::filesystem::path& path)
{
    return opened(FileDescriptor(::open(path.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC)));
}

Result<RegularFile> RegularFile::openAt(int folderFd, const char* name)
{
    return opened(FileDescriptor(::openat(folderFd, name, O_PATH | O_NOFOLLOW | O_CLOEXEC)));
}

Result<std::size_t> RegularFile::read(std::span<std::byte> buffer)
{
    return fill(buffer,
                [&](std::byte* into, std::size_t wanted, std::size_t) { return ::read(fd_.get(), into, wanted); });
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
    return fill(buffer, [&](std::byte* into, std::size_t wanted, std::size_t filled) {
        return ::pread(fd_.get(), into, wanted, static_cast<off_t>(offset + static_cast<std::int64_t>(filled)));
    });
}

} // namespace platform
