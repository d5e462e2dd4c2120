#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "platform/Time.h"
#include "platform/Result.h"

namespace platform {

enum class FileType : std::uint8_t { unknown, regular, directory, symbolicLink, other };

// What identifies a file's storage. Files that share it share their data, so removing one of
// them frees nothing. Linux: the file's identity (device, inode), so hard links share it.
struct ContentIdentifier {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const ContentIdentifier&) const = default;
};

// The attributes a caller asks for, as a bit set: only these are read.
namespace AttributeKey {
enum : std::uint32_t {
    type = 1u << 0,
    allocatedSize = 1u << 1,
    logicalSize = 1u << 2,
    modificationDate = 1u << 3,
    accessDate = 1u << 4,
    creationDate = 1u << 5,
    // Linux: the status-change time, which moving a file into a folder updates.
    addedDate = 1u << 6,
    contentIdentifier = 1u << 7,
};
} // namespace AttributeKey
using AttributeKeys = std::uint32_t;

// Attributes of one file system entry; a value the system did not give, or that was not asked
// for, is absent. The type is always read.
struct FileAttributes {
    FileType type = FileType::unknown;
    std::optional<std::int64_t> allocatedSize;
    std::optional<std::int64_t> logicalSize;
    OptionalTime modificationDate;
    OptionalTime accessDate;
    OptionalTime creationDate;
    OptionalTime addedDate;
    std::optional<ContentIdentifier> contentIdentifier;

    bool isRegularFile() const { return type == FileType::regular; }
    bool isDirectory() const { return type == FileType::directory; }
    bool isSymbolicLink() const { return type == FileType::symbolicLink; }
};

// Reads the asked attributes of the entry itself: a symbolic link is never followed.
Result<FileAttributes> readAttributes(const std::filesystem::path& path, AttributeKeys keys);
// The same, for the entry `name` of the open folder `directoryFd`.
Result<FileAttributes> readAttributesAt(int directoryFd, const char* name, AttributeKeys keys);

} // namespace platform

template <>
struct std::hash<platform::ContentIdentifier> {
    std::size_t operator()(const platform::ContentIdentifier& id) const noexcept
    {
        return std::hash<std::uint64_t>{}(id.inode * 0x9e3779b97f4a7c15ULL ^ id.device);
    }
};
