#include "platform/DirectoryReader.h"

#include <dirent.h>

#include <cstring>

namespace platform {

namespace {

// Large batches keep the number of system calls per folder low; 32 KiB holds several hundred
// entries, which covers almost every real folder in one call.
constexpr std::size_t bufferSize = 32 * 1024;

FileType typeOf(unsigned char dType)
{
    switch (dType) {
    case DT_REG: return FileType::regular;
    case DT_DIR: return FileType::directory;
    case DT_LNK: return FileType::symbolicLink;
    case DT_UNKNOWN: return FileType::unknown;
    default: return FileType::other;
    }
}

bool isDotOrDotDot(const char* name) { return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)); }

} // namespace

DirectoryReader::DirectoryReader(int directoryFd) : fd_(directoryFd), buffer_(new std::byte[bufferSize]) {}

DirectoryReader::~DirectoryReader() = default;

bool DirectoryReader::refill()
{
    const ssize_t count = ::getdents64(fd_, buffer_.get(), bufferSize);
    if (count < 0)
        error_ = lastError();
    position_ = 0;
    end_ = count > 0 ? static_cast<std::size_t>(count) : 0;
    return end_ > 0;
}

bool DirectoryReader::next(RawDirectoryEntry& entry)
{
    for (;;) {
        if (position_ >= end_ && !refill())
            return false;
        const auto* record = reinterpret_cast<const struct dirent64*>(buffer_.get() + position_);
        position_ += record->d_reclen;
        if (isDotOrDotDot(record->d_name))
            continue;
        entry.name = std::string_view(record->d_name, std::strlen(record->d_name));
        entry.type = typeOf(record->d_type);
        return true;
    }
}

} // namespace platform
