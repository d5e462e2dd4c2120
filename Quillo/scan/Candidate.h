#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "records/Date.h"
#include "records/ScanItem.h"

namespace DiskScanner {

// An item a scan routine found, with everything but its size. `measure` turns each into one
// ScanItem with the same fields, a size and (where absent) a date.
struct Candidate {
    // What is removed when the item is cleaned, and measured.
    std::filesystem::path url;
    std::string name;
    std::string detail;
    std::vector<ScanItem::Tag> tags;
    bool isRecommended = false;
    // Absent: `measure` fills in the modification date of `url`.
    OptionalDate date;
    std::optional<std::filesystem::path> iconURL;
    // Further locations measured into the size and removed with the item.
    std::vector<std::filesystem::path> extraURLs;
    std::optional<std::string> bundleID;
    ScanItem::Removal removal = ScanItem::Removal::files;
};

} // namespace DiskScanner
