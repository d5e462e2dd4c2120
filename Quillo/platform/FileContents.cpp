#include "platform/FileContents.h"

#include <algorithm>
#include <span>

#include "platform/RegularFile.h"

namespace platform {

Result<std::string> readFileContents(const std::filesystem::path& path, std::size_t maxBytes)
{
    auto file = RegularFile::open(path);
    if (!file)
        return file.error();
    const auto size = static_cast<std::uintmax_t>(std::max<std::int64_t>(file->sizeWhenOpened(), 0));
    if (size > maxBytes)
        return Result<std::string>::failure(EFBIG);
    // The size is a hint only: the file may grow while it is read, so reading stops one byte past
    // the limit.
    std::string contents(static_cast<std::size_t>(size) + 1, '\0');
    std::size_t length = 0;
    for (;;) {
        auto count = file->read(std::as_writable_bytes(std::span(contents).subspan(length)));
        if (!count)
            return count.error();
        length += *count;
        if (length < contents.size())
            break;
        if (contents.size() > maxBytes)
            return Result<std::string>::failure(EFBIG);
        contents.resize(std::min(contents.size() * 2, maxBytes + 1));
    }
    contents.resize(length);
    return contents;
}

} // namespace platform
