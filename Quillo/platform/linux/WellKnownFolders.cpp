#include "platform/WellKnownFolders.h"

#include <cstdlib>

namespace platform::WellKnownFolders {

std::filesystem::path trashFiles(const std::filesystem::path& home)
{
    // The freedesktop.org base directories ignore a relative XDG_DATA_HOME.
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const std::filesystem::path base =
        dataHome && dataHome[0] == '/' ? std::filesystem::path(dataHome) : home / ".local/share";
    return base / "Trash/files";
}

} // namespace platform::WellKnownFolders
