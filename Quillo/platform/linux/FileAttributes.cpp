#include "platform/FileAttributes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace platform {

namespace {

unsigned int statxMask(AttributeKeys keys)
{
    unsigned int mask = STATX_TYPE;
    if (keys & AttributeKey::allocatedSize)
        mask |= STATX_BLOCKS;
    if (keys & AttributeKey::logicalSize)
        mask |= STATX_SIZE;
    if (keys & AttributeKey::modificationDate)
        mask |= STATX_MTIME;
    if (keys & AttributeKey::accessDate)
        mask |= STATX_ATIME;
    if (keys & AttributeKey::creationDate)
        mask |= STATX_BTIME;
    if (keys & AttributeKey::addedDate)
        mask |= STATX_CTIME;
    if (keys & AttributeKey::contentIdentifier)
        mask |= STATX_INO;
    return mask;
}

FileType typeOf(std::uint16_t mode)
{
    switch (mode & S_IFMT) {
    case S_IFREG: return FileType::regular;
    case S_IFDIR: return FileType::directory;
    case S_IFLNK: return FileType::symbolicLink;
    default: return FileType::other;
    }
}

TimePoint dateOf(const struct statx_timestamp& stamp)
{
    auto sinceEpoch = std::chrono::seconds(stamp.tv_sec) + std::chrono::nanoseconds(stamp.tv_nsec);
    return TimePoint(std::chrono::duration_cast<TimePoint::duration>(sinceEpoch));
}

// Fills what was asked and what the file system actually returned (a file system without birth
// times leaves the creation date absent).
FileAttributes attributesOf(const struct statx& st, AttributeKeys keys)
{
    FileAttributes attributes;
    const unsigned int got = st.stx_mask;
    auto wanted = [&](std::uint32_t key, unsigned int bit) { return (keys & key) && (got & bit); };
    if (got & STATX_TYPE)
        attributes.type = typeOf(st.stx_mode);
    if (wanted(AttributeKey::allocatedSize, STATX_BLOCKS))
        attributes.allocatedSize = static_cast<std::int64_t>(st.stx_blocks) * 512;
    if (wanted(AttributeKey::logicalSize, STATX_SIZE))
        attributes.logicalSize = static_cast<std::int64_t>(st.stx_size);
    if (wanted(AttributeKey::modificationDate, STATX_MTIME))
        attributes.modificationDate = dateOf(st.stx_mtime);
    if (wanted(AttributeKey::accessDate, STATX_ATIME))
        attributes.accessDate = dateOf(st.stx_atime);
    if (wanted(AttributeKey::creationDate, STATX_BTIME))
        attributes.creationDate = dateOf(st.stx_btime);
    if (wanted(AttributeKey::addedDate, STATX_CTIME))
        attributes.addedDate = dateOf(st.stx_ctime);
    if (wanted(AttributeKey::contentIdentifier, STATX_INO))
        attributes.contentIdentifier = ContentIdentifier{makedev(st.stx_dev_major, st.stx_dev_minor), st.stx_ino};
    return attributes;
}

} // namespace

Result<FileAttributes> readAttributesAt(int directoryFd, const char* name, AttributeKeys keys)
{
    struct statx st {};
    const int flags = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT | AT_STATX_SYNC_AS_STAT;
    if (::statx(directoryFd, name, flags, statxMask(keys), &st) != 0)
        return lastError();
    return attributesOf(st, keys);
}

Result<FileAttributes> readAttributes(const std::filesystem::path& path, AttributeKeys keys)
{
    return readAttributesAt(AT_FDCWD, path.c_str(), keys);
}

} // namespace platform
