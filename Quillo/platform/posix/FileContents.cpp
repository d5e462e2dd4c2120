#include "platform/FileContents.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileDescriptor.h"

namespace platform {

namespace {

Result<std::string> readAll(int fd, std::size_t maxBytes, std::size_t sizeHint)
{
    std::string contents(std::min(sizeHint, maxBytes) + 1, '\0');
    std::size_t length = 0;
    for (;;) {
        if (length == contents.size()) {
            if (contents.size() > maxBytes)
                return Result<std::string>::failure(EFBIG);
            contents.resize(std::min(contents.size() * 2, maxBytes + 1));
        }
        const ssize_t count = ::read(fd, contents.data() + length, contents.size() - length);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return lastError();
        if (count == 0)
            break;
        length += static_cast<std::size_t>(count);
    }
    if (length > maxBytes)
        return Result<std::string>::failure(EFBIG);
    contents.resize(length);
    return contents;
}

} // namespace

Result<std::string> readFileContents(const std::filesystem::path& path, std::size_t maxBytes)
{
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd.valid())
        return lastError();
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return lastError();
    if (!S_ISREG(st.st_mode))
        return Result<std::string>::failure(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    if (st.st_size > 0 && static_cast<std::uintmax_t>(st.st_size) > maxBytes)
        return Result<std::string>::failure(EFBIG);
    // The size is a hint only: the file may change while it is read.
    return readAll(fd.get(), maxBytes, static_cast<std::size_t>(st.st_size));
}

} // namespace platform
