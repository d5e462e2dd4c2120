#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>

#include "platform/FileAttributes.h"

namespace platform {

// One raw entry of a folder listing.
struct RawDirectoryEntry {
    // NUL-terminated in the batch's buffer; valid as long as the batch is.
    std::string_view name;
    // What the listing says the entry is; `unknown` where the file system does not say.
    FileType type = FileType::unknown;
};

// The entries one read of a folder returned, in the file system's order. Owns its buffer, so a
// batch can be handed to another thread while the folder is read on.
class DirectoryBatch {
public:
    DirectoryBatch(std::unique_ptr<std::byte[]> buffer, std::size_t length);
    DirectoryBatch(DirectoryBatch&&) noexcept;
    DirectoryBatch& operator=(DirectoryBatch&&) noexcept;
    ~DirectoryBatch();

    // The next entry other than "." and ".."; false after the last.
    bool next(RawDirectoryEntry& entry);

private:
    std::unique_ptr<std::byte[]> buffer_;
    std::size_t length_;
    std::size_t position_ = 0;
};

// Reads the entries of an open folder in large batches. Does not own the descriptor.
class DirectoryReader {
public:
    explicit DirectoryReader(int directoryFd) : fd_(directoryFd) {}

    // The next batch; empty at the end of the listing or when reading failed (then error()
    // tells why).
    std::optional<DirectoryBatch> nextBatch();
    // Whether the last batch filled its buffer, so that more are likely to follow.
    bool lastBatchWasFull() const { return lastWasFull_; }
    std::error_code error() const { return error_; }

private:
    int fd_;
    bool lastWasFull_ = false;
    std::error_code error_;
};

} // namespace platform
