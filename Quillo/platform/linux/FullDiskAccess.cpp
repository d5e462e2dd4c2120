#include "platform/FullDiskAccess.h"

#include "platform/DirectoryListing.h"
#include "platform/HomeDirectory.h"
#include "platform/TrashFolders.h"
#include "platform/WellKnownFolders.h"

namespace platform {

bool hasFullDiskAccess()
{
    const auto files = WellKnownFolders::trashFiles(homeDirectory());
    if (!checkTrashFolders(files.parent_path()))
        return false;
    const auto listing = listDirectory(files);
    return listing.ok() || listing.error() == std::errc::no_such_file_or_directory;
}

} // namespace platform
