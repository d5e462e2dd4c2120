#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

namespace {

int openForReading(const char* path, FinalLink link)
{
    const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | (link == FinalLink::refuse ? O_NOFOLLOW : 0);
    const int fd = ::open(path, flags | O_NOATIME);
    // O_NOATIME is refused on files of other owners; those are read the ordinary way.
    if (fd < 0 && errno == EPERM)
        return ::open(path, flags);
    return fd;
}

} // namespace

Result<RegularFile> RegularFile::open(const std::filesystem::path& path, FinalLink link)
{
    FileDescriptor fd(openForReading(path.c_str(), link));
    if (!fd.valid())
        return lastError();
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return lastError();
    if (!S_ISREG(st.st_mode))
        return Result<RegularFile>::failure(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
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
