#include "support/FixtureHome.h"

#include <cstdlib>

#include "platform/HomeDirectory.h"
#include "scan/DiskScanner.h"
#include "scan/SystemAnswers.h"
#include "scan/apps/InstalledApps.h"

FixtureHome::FixtureHome()
{
    tree_.folder("home");
    DiskScanner::setHomeForTesting(tree_.path("home"));
    DiskScanner::setApplicationFoldersForTesting(tree_.path("Applications"), tree_.path("System/Applications"));
    DiskScanner::setRunningApplicationsForTesting({});
    DiskScanner::setFullDiskAccessForTesting(true);
    DiskScanner::setNowForTesting(now);
    DiskScanner::setApplicationDataFoldersForTesting(
        {path(".local/share"), path(".local/share/flatpak/exports/share"), tree_.path("usr/share")});
    DiskScanner::setMountedFileSystemsForTesting({});
    DiskScanner::setFlatpakAppsForTesting({});
    for (const auto& [variable, folder] : {std::pair{"XDG_CACHE_HOME", ".cache"}, {"XDG_CONFIG_HOME", ".config"},
                                           {"XDG_DATA_HOME", ".local/share"}}) {
        const char* value = std::getenv(variable);
        savedVariables_.emplace_back(variable, value ? std::optional<std::string>(value) : std::nullopt);
        ::setenv(variable, path(folder).c_str(), 1);
    }
}

FixtureHome::~FixtureHome()
{
    for (const auto& [variable, value] : savedVariables_) {
        if (value)
            ::setenv(variable, value->c_str(), 1);
        else
            ::unsetenv(variable);
    }
    DiskScanner::resetSystemAnswersForTesting();
    DiskScanner::resetRunningApplicationsForTesting();
    DiskScanner::setHomeForTesting(platform::homeDirectory());
}

std::filesystem::path FixtureHome::path(std::string_view relative) const { return tree_.path("home") / relative; }

std::filesystem::path FixtureHome::file(std::string_view relative, std::int64_t size) const
{
    return tree_.file("home/" + std::string(relative), size);
}

std::filesystem::path FixtureHome::folder(std::string_view relative) const
{
    return tree_.folder("home/" + std::string(relative));
}

std::filesystem::path FixtureHome::applications(std::string_view relative) const
{
    return tree_.path("Applications") / relative;
}

std::filesystem::path FixtureHome::systemApplications(std::string_view relative) const
{
    return tree_.path("System/Applications") / relative;
}

const ScanItem* findItem(const CategoryResult& result, const std::filesystem::path& url)
{
    for (const ScanItem& item : result.items) {
        if (item.url == url)
            return &item;
    }
    return nullptr;
}
