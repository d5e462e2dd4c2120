#include "platform/FullDiskAccess.h"

#include "platform/DirectoryListing.h"
#include "platform/WellKnownFolders.h"

namespace platform {

bool hasFullDiskAccess(const std::filesystem::path& home)
{
    const auto listing = listDirectory(WellKnownFolders::trashFiles(home));
    return listing.ok() || listing.error() == std::errc::no_such_file_or_directory;
}

} // namespace platform
