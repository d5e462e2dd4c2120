#pragma once

#include <filesystem>
#include <string>

namespace DiskScanner {

struct DerivedDataLabel {
    std::string name;
    std::string detail;

    bool operator==(const DerivedDataLabel&) const = default;
};

// The title and second line of a build folder: the project it was built from, as the folder's
// "info.plist" names it ("WorkspacePath"), with the project folder as detail; else the folder
// name without its trailing hash, with the hash's start as detail. Never fails.
DerivedDataLabel derivedDataLabel(const std::filesystem::path& buildFolder);

} // namespace DiskScanner
