#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

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

} // namespace

// Opening a device for reading runs its driver (a serial port's lines change, a kernel log is
// consumed), and a FIFO can block: the entry is looked at through a descriptor that reads
// nothing (O_PATH), and only a regular file is then opened for reading.
Result<RegularFile> RegularFile::open(const std::filesystem::path& path)
{
    FileDescriptor located(::open(path.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
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
    return RegularFile(std::move(fd), static_cast<std::int64_t>(st.st_size));
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

} // namespace platform
