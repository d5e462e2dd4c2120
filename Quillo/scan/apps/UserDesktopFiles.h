#pragma once

#include <filesystem>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DesktopEntries.h"
#include "records/Date.h"

namespace DiskScanner {

// The desktop entries and icons in the user's own data folder (WellKnownFolders::userData), which
// tie an application installed in the home folder to its launchers. Reads the entries when made
// and the icons when first asked; make it once per scan.
class UserDesktopFiles {
public:
    UserDesktopFiles();

    const std::vector<platform::DesktopEntry>& entries() const { return entries_; }

    // The entries whose `Exec` runs `program` by its full path.
    std::vector<const platform::DesktopEntry*> entriesRunning(const std::filesystem::path& program) const;

    // The icon files of the user's icons folder, themes included, that `entry`'s `Icon` names: by
    // a path into that folder, or by a plain name that is the file's name but for its extension.
    std::vector<std::filesystem::path> iconsOf(const platform::DesktopEntry& entry) const;

private:
    using IconIndex = std::multimap<std::string, std::filesystem::path, std::less<>>;
    static void indexIcons(const std::filesystem::path& folder, int depth, IconIndex& index);

    std::filesystem::path iconsFolder_;
    std::vector<platform::DesktopEntry> entries_;
    mutable std::optional<IconIndex> icons_;
};

// The user's settings, data and cache folders named after `names`, each as spelt and in lower
// case, in that order, whether they exist or not. A name that is not plain or that names a
// folder the whole desktop shares (platform::isSharedUserFolder) forms none.
std::vector<std::filesystem::path> foldersNamedAfter(std::initializer_list<std::string_view> names);

// The desktop entries, their icons and the folders named after `names`: the places of an
// application's related files in the home folder, in the order they are offered.
std::vector<std::filesystem::path> relatedLocations(const UserDesktopFiles& desktop,
                                                    const std::vector<const platform::DesktopEntry*>& entries,
                                                    std::initializer_list<std::string_view> names);

// When `path` was last read; absent when it cannot be told.
OptionalDate accessDate(const std::filesystem::path& path);

} // namespace DiskScanner
