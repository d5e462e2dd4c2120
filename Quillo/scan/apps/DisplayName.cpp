#include "scan/apps/DisplayName.h"

#include "scan/Text.h"

namespace DiskScanner {

const std::set<std::string, std::less<>>& genericNameParts()
{
    static const std::set<std::string, std::less<>> words = {
        "app", "mac", "macos", "desktop", "client", "cli", "helper", "agent", "plist",
    };
    return words;
}

std::string displayName(std::string_view bundleID)
{
    const auto parts = Text::nonEmptyParts(bundleID, '.');
    if (parts.empty())
        return std::string(bundleID);
    // The first part (the vendor's domain) is never the name.
    for (std::size_t i = parts.size() - 1; i >= 1; --i) {
        if (!genericNameParts().contains(Text::lowercased(parts[i])))
            return std::string(parts[i]);
    }
    return std::string(parts.back());
}

} // namespace DiskScanner
