#include "scan/VisibleEntries.h"

namespace DiskScanner {

std::vector<platform::DirectoryEntry> visibleEntries(const std::filesystem::path& folder)
{
    auto listing = platform::listDirectory(folder, {.skipHidden = true});
    return listing ? std::move(listing).value() : std::vector<platform::DirectoryEntry>{};
}

} // namespace DiskScanner
