#include "platform/DirectoryReader.h"

#include <dirent.h>

#include <cstring>

namespace platform {

namespace {

// Large batches keep the number of system calls per folder low; 32 KiB holds several hundred
// entries, which covers almost every real folder in one call.
constexpr std::size_t bufferSize = 32 * 1024;
// A batch this close to the buffer's end had no room for another entry of the longest name.
constexpr std::size_t fullMargin = sizeof(struct dirent64) + 8;

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

DirectoryBatch::DirectoryBatch(std::unique_ptr<std::byte[]> buffer, std::size_t length)
    : buffer_(std::move(buffer)), length_(length)
{
}

DirectoryBatch::DirectoryBatch(DirectoryBatch&&) noexcept = default;
DirectoryBatch& DirectoryBatch::operator=(DirectoryBatch&&) noexcept = default;
DirectoryBatch::~DirectoryBatch() = default;

bool DirectoryBatch::next(RawDirectoryEntry& entry)
{
    while (position_ < length_) {
        const auto* record = reinterpret_cast<const struct dirent64*>(buffer_.get() + position_);
        position_ += record->d_reclen;
        if (isDotOrDotDot(record->d_name))
            continue;
        entry.name = std::string_view(record->d_name, std::strlen(record->d_name));
        entry.type = typeOf(record->d_type);
        return true;
    }
    return false;
}

std::optional<DirectoryBatch> DirectoryReader::nextBatch()
{
    auto buffer = std::make_unique_for_overwrite<std::byte[]>(bufferSize);
    const ssize_t count = ::getdents64(fd_, buffer.get(), bufferSize);
    if (count < 0)
        error_ = lastError();
    lastWasFull_ = count > 0 && static_cast<std::size_t>(count) + fullMargin > bufferSize;
    if (count <= 0)
        return std::nullopt;
    return DirectoryBatch(std::move(buffer), static_cast<std::size_t>(count));
}

} // namespace platform
