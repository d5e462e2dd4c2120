#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/AppBundle.h"

namespace platform {

// Finds installed applications by bundle identifier, comparing identifiers without regard to
// case as the system's own lookup does. Linux has no registry of application bundles, so the
// lookup knows the bundles it is given (the scans give it those of the application folders).
// Building it reads nothing; build it once per scan and ask it many times.
class ApplicationLookup {
public:
    ApplicationLookup() = default;
    // Where several bundles share an identifier, the first one is found.
    explicit ApplicationLookup(std::vector<AppBundle> bundles);

    // The application with this bundle identifier, or null.
    const AppBundle* application(std::string_view bundleIdentifier) const;
    // Its location, or absent.
    std::optional<std::filesystem::path> location(std::string_view bundleIdentifier) const;

    const std::vector<AppBundle>& bundles() const { return bundles_; }

private:
    std::vector<AppBundle> bundles_;
    std::unordered_map<std::string, std::size_t> byFoldedIdentifier_;
};

} // namespace platform
