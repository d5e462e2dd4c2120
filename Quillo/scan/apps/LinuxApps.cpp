#include "scan/apps/LinuxApps.h"

#include <algorithm>
#include <map>

#include "platform/DesktopEntries.h"
#include "platform/WellKnownFolders.h"
#include "scan/DiskScanner.h"
#include "scan/SystemAnswers.h"
#include "scan/apps/AppImages.h"
#include "scan/apps/DisplayName.h"
#include "scan/apps/HomeInstalledApps.h"
#include "scan/apps/UserDesktopFiles.h"

namespace DiskScanner {

namespace {

namespace Folders = platform::WellKnownFolders;

// The desktop entries each installation exports, read once per installation.
class ExportedEntries {
public:
    const platform::DesktopEntry* entryOf(const platform::FlatpakApp& app)
    {
        auto found = byInstallation_.find(app.installation);
        if (found == byInstallation_.end())
            found = byInstallation_.emplace(app.installation, read(app.installation)).first;
        const std::string id = app.id + ".desktop";
        auto entry = std::ranges::find(found->second, id, &platform::DesktopEntry::id);
        return entry == found->second.end() ? nullptr : &*entry;
    }

private:
    static std::vector<platform::DesktopEntry> read(const std::filesystem::path& installation)
    {
        return platform::desktopEntries({installation / "exports/share"});
    }

    std::map<std::filesystem::path, std::vector<platform::DesktopEntry>> byInstallation_;
};

LinuxApp flatpakLinuxApp(const platform::FlatpakApp& flatpak, ExportedEntries& exported)
{
    const auto data = home() / Folders::flatpakApps / flatpak.id;
    LinuxApp app;
    app.kind = LinuxApp::Kind::flatpak;
    app.location = flatpak.location();
    app.identifier = flatpak.id;
    if (const platform::DesktopEntry* entry = exported.entryOf(flatpak)) {
        app.name = entry->name;
        app.desktopEntries.push_back(entry->file);
    } else {
        app.name = displayName(flatpak.id);
    }
    app.relatedLocations = {data};
    app.lastUsed = accessDate(data);
    if (!app.lastUsed && flatpak.deployFolder)
        app.lastUsed = accessDate(*flatpak.deployFolder);
    return app;
}

bool isWithin(const std::filesystem::path& path, const std::filesystem::path& folder)
{
    auto [folderEnd, pathIt] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return folderEnd == folder.end() && pathIt != path.end();
}

std::filesystem::path realPath(const std::filesystem::path& path)
{
    std::error_code error;
    auto real = std::filesystem::weakly_canonical(path, error);
    return error ? path : real;
}

bool runs(const LinuxApp& app, const platform::RunningPrograms& programs)
{
    const auto real = realPath(app.location);
    if (app.kind == LinuxApp::Kind::appImage)
        return programs.appImages.contains(real) || programs.appImages.contains(app.location);
    return app.kind == LinuxApp::Kind::homeInstalled &&
           std::ranges::any_of(programs.executables,
                               [&](const auto& executable) { return isWithin(executable, real); });
}

} // namespace

std::vector<LinuxApp> installedLinuxApps()
{
    if constexpr (!Folders::linuxPlaces)
        return {};
    std::vector<LinuxApp> apps;
    ExportedEntries exported;
    for (const platform::FlatpakApp& flatpak : flatpakApps())
        apps.push_back(flatpakLinuxApp(flatpak, exported));
    for (LinuxApp& app : homeFolderApps())
        apps.push_back(std::move(app));
    return apps;
}

std::vector<LinuxApp> homeFolderApps()
{
    if constexpr (!Folders::linuxPlaces)
        return {};
    const UserDesktopFiles desktop;
    std::vector<LinuxApp> apps = appImages(desktop);
    for (LinuxApp& app : homeInstalledApps(desktop))
        apps.push_back(std::move(app));
    return apps;
}

std::set<std::string, std::less<>> runningHomeFolderApps(const std::vector<LinuxApp>& apps,
                                                         const platform::RunningPrograms& programs)
{
    std::set<std::string, std::less<>> running;
    for (const LinuxApp& app : apps) {
        if (runs(app, programs))
            running.insert(app.identifier);
    }
    return running;
}

} // namespace DiskScanner
