#include "scan/apps/AppImages.h"

#include <algorithm>
#include <cctype>

#include "platform/FileAttributes.h"
#include "platform/WellKnownFolders.h"
#include "scan/DiskScanner.h"
#include "scan/VisibleEntries.h"

namespace DiskScanner {

namespace {

constexpr std::string_view appImageExtension = ".appimage";

bool isAppImageName(std::string_view name)
{
    if (name.size() <= appImageExtension.size())
        return false;
    const auto ending = name.substr(name.size() - appImageExtension.size());
    return std::ranges::equal(ending, appImageExtension, [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

// A link or anything else named so is not the AppImage itself.
bool isRegularFile(const platform::DirectoryEntry& entry)
{
    if (entry.type != platform::FileType::unknown)
        return entry.type == platform::FileType::regular;
    auto attributes = platform::readAttributes(entry.path, platform::AttributeKey::type);
    return attributes && attributes->isRegularFile();
}

LinuxApp appImage(const platform::DirectoryEntry& file, const UserDesktopFiles& desktop)
{
    const auto entries = desktop.entriesRunning(file.path);
    LinuxApp app;
    app.kind = LinuxApp::Kind::appImage;
    app.location = file.path;
    app.name = appImageName(file.name);
    app.identifier = file.name;
    for (const platform::DesktopEntry* entry : entries)
        app.desktopEntries.push_back(entry->file);
    app.relatedLocations = relatedLocations(desktop, entries, {app.name});
    app.lastUsed = accessDate(file.path);
    return app;
}

} // namespace

std::vector<LinuxApp> appImages(const UserDesktopFiles& desktop)
{
    std::vector<LinuxApp> apps;
    for (std::string_view folder : platform::WellKnownFolders::appImageFolders) {
        for (const auto& entry : visibleEntries(home() / folder)) {
            if (isAppImageName(entry.name) && isRegularFile(entry))
                apps.push_back(appImage(entry, desktop));
        }
    }
    return apps;
}

std::string appImageName(std::string_view fileName)
{
    std::string_view name = fileName.substr(0, fileName.size() - std::min(fileName.size(), appImageExtension.size()));
    for (std::size_t dash = name.find('-'); dash != std::string_view::npos; dash = name.find('-', dash + 1)) {
        if (dash + 1 < name.size() && std::isdigit(static_cast<unsigned char>(name[dash + 1]))) {
            name = name.substr(0, dash);
            break;
        }
    }
    return name.empty() ? std::string(fileName) : std::string(name);
}

} // namespace DiskScanner
