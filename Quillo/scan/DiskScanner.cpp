#include "scan/DiskScanner.h"

#include "platform/HomeDirectory.h"

namespace DiskScanner {

namespace {

std::filesystem::path& homeStorage()
{
    static std::filesystem::path home = platform::homeDirectory();
    return home;
}

} // namespace

const std::filesystem::path& home() { return homeStorage(); }

void setHomeForTesting(std::filesystem::path folder) { homeStorage() = std::move(folder); }

std::string abbreviatedPath(const std::filesystem::path& path)
{
    const std::string& full = path.native();
    const std::string& homePath = home().native();
    // With "/" as home every path would abbreviate; show such paths as they are.
    if (homePath.empty() || homePath == "/" || full.compare(0, homePath.size(), homePath) != 0)
        return full;
    if (full.size() == homePath.size())
        return "~";
    if (full[homePath.size()] != '/')
        return full;
    return "~" + full.substr(homePath.size());
}

bool isPermissionError(std::error_code error)
{
    return error == std::errc::permission_denied || error == std::errc::operation_not_permitted;
}

const FolderNames& protectedCaches()
{
    static const FolderNames names = {
        "CloudKit",
        "FamilyCircle",
        "com.apple.bird",
        "com.apple.cloudd",
        "com.apple.CloudDocs",
        "com.apple.akd",
        "com.apple.containermanagerd",
        "com.apple.homed",
        "com.apple.nsurlsessiond",
        "com.apple.passd",
        "com.apple.ap.adprivacyd",
        "com.apple.findmy.fmipcore",
    };
    return names;
}

const FolderNames& skippedFolders()
{
    static const FolderNames names = {"node_modules", "Pods", ".git", "DerivedData"};
    return names;
}

} // namespace DiskScanner
