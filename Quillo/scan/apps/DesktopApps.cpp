#include "scan/apps/DesktopApps.h"

#include "scan/SystemAnswers.h"
#include "scan/Text.h"

namespace DiskScanner {

namespace {

constexpr std::string_view desktopSuffix = ".desktop";

std::string_view withoutSuffix(std::string_view id)
{
    return id.ends_with(desktopSuffix) ? id.substr(0, id.size() - desktopSuffix.size()) : id;
}

} // namespace

DesktopApps::DesktopApps(std::vector<platform::DesktopEntry> entries) : entries_(std::move(entries))
{
    for (std::size_t position = 0; position < entries_.size(); ++position) {
        const platform::DesktopEntry& entry = entries_[position];
        add(byID_, withoutSuffix(entry.id), position);
        if (entry.startupWMClass)
            add(byWindowClass_, *entry.startupWMClass, position);
        if (entry.program && !entry.flatpakID)
            add(byProgram_, *entry.program, position);
    }
}

void DesktopApps::add(Index& index, std::string_view key, std::size_t position)
{
    // The first entry added is the most important one.
    index.try_emplace(Text::lowercased(key), position);
}

const platform::DesktopEntry* DesktopApps::forFolder(std::string_view folderName) const
{
    const std::string key = Text::lowercased(folderName);
    for (const Index* index : {&byID_, &byWindowClass_, &byProgram_}) {
        if (auto found = index->find(key); found != index->end())
            return &entries_[found->second];
    }
    return nullptr;
}

DesktopApps installedDesktopApps() { return DesktopApps(platform::desktopEntries(applicationDataFolders())); }

} // namespace DiskScanner
