#include "scan/apps/AppNames.h"

namespace AppNames {

App app(std::string_view folderName, const platform::ApplicationLookup& applications)
{
    if (folderName.find('.') != std::string_view::npos) {
        if (const platform::AppBundle* owner = applications.application(folderName)) {
            // Linux: a path's display name is its last component.
            std::string name = owner->location.filename().string();
            if (name.ends_with(".app"))
                name.resize(name.size() - 4);
            return {std::move(name), owner->location};
        }
    }
    return {std::string(folderName), std::nullopt};
}

App app(std::string_view folderName, const platform::ApplicationLookup& applications,
        const DiskScanner::DesktopApps& desktopApps)
{
    App owner = app(folderName, applications);
    if (owner.url)
        return owner;
    if (const platform::DesktopEntry* entry = desktopApps.forFolder(folderName))
        return {entry->name, entry->file};
    return owner;
}

} // namespace AppNames
