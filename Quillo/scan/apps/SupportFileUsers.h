#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DesktopEntries.h"

namespace DiskScanner {

// An installed application as a user of support files: where it is, what it is known by, and
// every place its related files may be.
struct AppFiles {
    std::filesystem::path location;
    std::string identifier;
    std::vector<std::filesystem::path> related;
};

// Which installed applications may use which support files, letter case aside (as the folders
// of the system bundles come from compare names).
class SupportFileUsers {
public:
    // `apps` use what their identifiers and related places lead to; the applications of
    // `desktopEntries` the files named after them.
    SupportFileUsers(const std::vector<AppFiles>& apps, const std::vector<platform::DesktopEntry>& desktopEntries);

    // Whether an application other than the one at `app` (known as `identifier` and started by
    // `ownEntries`) may use `location`, one of its related files: a copy of the same application
    // uses them all; another application those its own identifier or related places lead to;
    // one with a desktop entry not among `ownEntries` those named after the entry's id, window
    // class, program or icon (a picture counts by its name less its extension), and the icon it
    // names by its path.
    bool usedByAnother(const std::filesystem::path& app, std::string_view identifier,
                       const std::filesystem::path& location,
                       const std::vector<std::filesystem::path>& ownEntries) const;

private:
    using Users = std::multimap<std::string, std::filesystem::path, std::less<>>;

    static bool anyOther(const Users& users, const std::string& key, const std::filesystem::path& app);
    bool namedAfterAnother(const std::filesystem::path& location,
                           const std::vector<std::filesystem::path>& ownEntries) const;

    Users byIdentifier_;
    Users byLocation_;
    // The desktop entries, by the names files take after their applications and by the paths of
    // their icons.
    Users entriesByName_;
};

} // namespace DiskScanner
