#include "scan/apps/HomeInstalledApps.h"

#include <algorithm>
#include <map>
#include <optional>

#include "platform/FileAttributes.h"
#include "platform/PlainName.h"
#include "platform/WellKnownFolders.h"
#include "scan/DiskScanner.h"

namespace DiskScanner {

namespace {

using platform::DesktopEntry;

// The first part of `path` below `folder`, when `path` lies further down inside it: a program
// directly in `folder` is no folder of its own.
std::optional<std::string> topLevelName(const std::filesystem::path& path, const std::filesystem::path& folder)
{
    auto [folderEnd, pathIt] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    if (folderEnd != folder.end() || pathIt == path.end() || std::next(pathIt) == path.end())
        return std::nullopt;
    return pathIt->string();
}

// The top-level folder of one of the home's application folders that holds `program`. A home
// reached through a link ("/home" to "/var/home") may be spelt either way in a launcher.
std::optional<std::filesystem::path> topLevelFolder(const std::filesystem::path& program)
{
    std::error_code error;
    const auto realProgram = std::filesystem::weakly_canonical(program, error);
    for (std::string_view root : platform::WellKnownFolders::homeAppFolders) {
        const auto folder = home() / root;
        auto name = topLevelName(program, folder);
        if (!name && !error) {
            std::error_code realError;
            const auto realFolder = std::filesystem::canonical(folder, realError);
            if (!realError)
                name = topLevelName(realProgram, realFolder);
        }
        if (!name || !platform::isPlainName(*name) || name->ends_with(".app"))
            continue;
        auto attributes = platform::readAttributes(folder / *name, platform::AttributeKey::type);
        if (attributes && attributes->isDirectory())
            return folder / *name;
    }
    return std::nullopt;
}

std::string withoutDesktopSuffix(const std::string& id)
{
    constexpr std::string_view suffix = ".desktop";
    return id.ends_with(suffix) ? id.substr(0, id.size() - suffix.size()) : id;
}

LinuxApp homeInstalledApp(const std::filesystem::path& folder, std::vector<const DesktopEntry*> entries,
                          const UserDesktopFiles& desktop)
{
    std::ranges::sort(entries, std::less<>(), &DesktopEntry::id);
    const DesktopEntry& first = *entries.front();
    LinuxApp app;
    app.kind = LinuxApp::Kind::homeInstalled;
    app.location = folder;
    app.name = first.name;
    app.identifier = withoutDesktopSuffix(first.id);
    for (const DesktopEntry* entry : entries)
        app.desktopEntries.push_back(entry->file);
    app.relatedLocations = relatedLocations(desktop, entries, {first.name, folder.filename().string()});
    app.lastUsed = accessDate(*first.programPath);
    return app;
}

} // namespace

std::vector<LinuxApp> homeInstalledApps(const UserDesktopFiles& desktop)
{
    std::map<std::filesystem::path, std::vector<const DesktopEntry*>> byFolder;
    for (const DesktopEntry& entry : desktop.entries()) {
        if (!entry.programPath || !entry.programPath->is_absolute())
            continue;
        if (auto folder = topLevelFolder(entry.programPath->lexically_normal()))
            byFolder[*folder].push_back(&entry);
    }
    std::vector<LinuxApp> apps;
    for (auto& [folder, entries] : byFolder)
        apps.push_back(homeInstalledApp(folder, std::move(entries), desktop));
    return apps;
}

} // namespace DiskScanner
