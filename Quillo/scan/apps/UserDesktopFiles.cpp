#include "scan/apps/UserDesktopFiles.h"

#include <algorithm>
#include <array>

#include "platform/DirectoryListing.h"
#include "platform/FileAttributes.h"
#include "platform/PlainName.h"
#include "platform/SharedUserFolders.h"
#include "platform/WellKnownFolders.h"
#include "scan/DiskScanner.h"
#include "scan/Text.h"

namespace DiskScanner {

namespace {

namespace Folders = platform::WellKnownFolders;

// Icon themes keep their pictures three folders down ("hicolor/256x256/apps/obsidian.png").
constexpr int maxIconDepth = 3;
constexpr std::array<std::string_view, 4> iconExtensions = {".png", ".svg", ".svgz", ".xpm"};

std::optional<std::string> iconName(std::string_view fileName)
{
    for (std::string_view extension : iconExtensions) {
        if (fileName.size() > extension.size() && fileName.ends_with(extension))
            return std::string(fileName.substr(0, fileName.size() - extension.size()));
    }
    return std::nullopt;
}

bool isWithin(const std::filesystem::path& path, const std::filesystem::path& folder)
{
    auto [folderEnd, pathIt] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return folderEnd == folder.end() && pathIt != path.end();
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    if (a.lexically_normal() == b.lexically_normal())
        return true;
    std::error_code error;
    const auto realA = std::filesystem::weakly_canonical(a, error);
    if (error)
        return false;
    const auto realB = std::filesystem::weakly_canonical(b, error);
    return !error && realA == realB;
}

} // namespace

UserDesktopFiles::UserDesktopFiles()
    : iconsFolder_(Folders::userData(home()) / "icons"), entries_(platform::desktopEntries({Folders::userData(home())}))
{
}

std::vector<const platform::DesktopEntry*> UserDesktopFiles::entriesRunning(const std::filesystem::path& program) const
{
    std::vector<const platform::DesktopEntry*> running;
    for (const platform::DesktopEntry& entry : entries_) {
        if (entry.programPath && entry.programPath->is_absolute() && sameFile(*entry.programPath, program))
            running.push_back(&entry);
    }
    return running;
}

void UserDesktopFiles::indexIcons(const std::filesystem::path& folder, int depth, IconIndex& index)
{
    auto listing = platform::listDirectory(folder, {.skipHidden = true});
    if (!listing)
        return;
    for (auto& entry : *listing) {
        if (entry.type == platform::FileType::directory) {
            if (depth < maxIconDepth)
                indexIcons(entry.path, depth + 1, index);
        } else if (auto name = iconName(entry.name)) {
            index.emplace(std::move(*name), std::move(entry.path));
        }
    }
}

std::vector<std::filesystem::path> UserDesktopFiles::iconsOf(const platform::DesktopEntry& entry) const
{
    if (!entry.icon)
        return {};
    const std::filesystem::path icon(*entry.icon);
    if (icon.is_absolute()) {
        const auto normal = icon.lexically_normal();
        if (isWithin(normal, iconsFolder_) && platform::readAttributes(normal, platform::AttributeKey::type))
            return {normal};
        return {};
    }
    if (!platform::isPlainName(*entry.icon))
        return {};
    if (!icons_) {
        icons_.emplace();
        indexIcons(iconsFolder_, 0, *icons_);
    }
    std::vector<std::filesystem::path> found;
    auto [first, last] = icons_->equal_range(*entry.icon);
    for (auto it = first; it != last; ++it)
        found.push_back(it->second);
    std::ranges::sort(found);
    return found;
}

std::vector<std::filesystem::path> foldersNamedAfter(std::initializer_list<std::string_view> names)
{
    const std::filesystem::path bases[] = {Folders::userSettings(home()), Folders::userData(home()),
                                           Folders::userCaches(home())};
    std::vector<std::filesystem::path> folders;
    for (const auto& base : bases) {
        for (std::string_view name : names) {
            for (const std::string& spelling : {std::string(name), Text::lowercased(name)}) {
                if (!platform::isPlainName(spelling) || platform::isSharedUserFolder(spelling))
                    continue;
                auto folder = base / spelling;
                if (std::ranges::find(folders, folder) == folders.end())
                    folders.push_back(std::move(folder));
            }
        }
    }
    return folders;
}

std::vector<std::filesystem::path> relatedLocations(const UserDesktopFiles& desktop,
                                                    const std::vector<const platform::DesktopEntry*>& entries,
                                                    std::initializer_list<std::string_view> names)
{
    std::vector<std::filesystem::path> locations;
    for (const platform::DesktopEntry* entry : entries)
        locations.push_back(entry->file);
    for (const platform::DesktopEntry* entry : entries) {
        for (auto& icon : desktop.iconsOf(*entry)) {
            if (std::ranges::find(locations, icon) == locations.end())
                locations.push_back(std::move(icon));
        }
    }
    for (auto& folder : foldersNamedAfter(names))
        locations.push_back(std::move(folder));
    return locations;
}

OptionalDate accessDate(const std::filesystem::path& path)
{
    auto attributes = platform::readAttributes(path, platform::AttributeKey::accessDate);
    if (!attributes)
        return std::nullopt;
    return attributes->accessDate;
}

} // namespace DiskScanner
