#include "platform/DirectoryListing.h"

#include "platform/DirectoryReader.h"
#include "platform/FileDescriptor.h"

namespace platform {

Result<std::vector<DirectoryEntry>> listDirectory(const std::filesystem::path& folder, ListingOptions options)
{
    auto fd = openDirectory(folder, FinalLink::follow);
    if (!fd)
        return fd.error();
    std::vector<DirectoryEntry> entries;
    DirectoryReader reader(fd->get());
    while (auto batch = reader.nextBatch()) {
        RawDirectoryEntry raw;
        while (batch->next(raw)) {
            if (options.skipHidden && isHiddenName(raw.name))
                continue;
            entries.push_back({folder / raw.name, std::string(raw.name), raw.type});
        }
    }
    // A folder that fails part-way is a failed listing, not a silently shortened one.
    if (reader.error())
        return reader.error();
    return entries;
}

} // namespace platform
