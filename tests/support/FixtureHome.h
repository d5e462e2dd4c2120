#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "records/CategoryResult.h"
#include "records/Date.h"
#include "support/TempTree.h"

// A fixture home folder and application folders in a temporary tree, with the scans' system
// answers replaced: nothing running, Full Disk Access granted, a fixed "now", no mounted file
// systems, no Flatpak applications, and desktop entries only in the home's data folders
// (".local/share", with Flatpak's exports there) and the tree's "usr/share"; XDG_CACHE_HOME,
// XDG_CONFIG_HOME and XDG_DATA_HOME are the home's ".cache", ".config" and ".local/share".
// Everything is put back when it is dropped.
class FixtureHome {
public:
    // 2024-06-01 12:00:00 UTC.
    static constexpr Date now = Date(std::chrono::seconds(1'717'243'200));

    FixtureHome();
    ~FixtureHome();
    FixtureHome(const FixtureHome&) = delete;
    FixtureHome& operator=(const FixtureHome&) = delete;

    const TempTree& tree() const { return tree_; }
    // Inside the home folder.
    std::filesystem::path path(std::string_view relative = {}) const;
    std::filesystem::path file(std::string_view relative, std::int64_t size = 4096) const;
    std::filesystem::path folder(std::string_view relative) const;
    // Inside the shared and the system applications folders.
    std::filesystem::path applications(std::string_view relative = {}) const;
    std::filesystem::path systemApplications(std::string_view relative = {}) const;

private:
    TempTree tree_;
    std::vector<std::pair<const char*, std::optional<std::string>>> savedVariables_;
};

// `days` days before FixtureHome::now.
constexpr Date daysAgo(int days) { return FixtureHome::now - std::chrono::hours(24 * days); }

// The item at `url`, or null.
const ScanItem* findItem(const CategoryResult& result, const std::filesystem::path& url);
