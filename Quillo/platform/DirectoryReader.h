#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <system_error>

#include "platform/FileAttributes.h"

namespace platform {

// One raw entry of a folder listing.
struct RawDirectoryEntry {
    // Valid until the next call of DirectoryReader::next.
    std::string_view name;
    // What the listing says the entry is; `unknown` where the file system does not say.
    FileType type = FileType::unknown;
};

// Reads the entries of an open folder in the file system's order, in large batches, skipping
// "." and "..". Does not own the descriptor.
class DirectoryReader {
public:
    explicit DirectoryReader(int directoryFd);
    ~DirectoryReader();
    DirectoryReader(const DirectoryReader&) = delete;
    DirectoryReader& operator=(const DirectoryReader&) = delete;

    // False at the end of the listing, or when reading failed (then error() tells why).
    bool next(RawDirectoryEntry& entry);
    std::error_code error() const { return error_; }

private:
    bool refill();

    int fd_;
    std::unique_ptr<std::byte[]> buffer_;
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    std::error_code error_;
};

} // namespace platform
