#pragma once

#include <set>
#include <string>
#include <string_view>

namespace DiskScanner {

// Lower-case words that never serve as an application's name on their own: "app", "mac",
// "macos", "desktop", "client", "cli", "helper", "agent", "plist".
const std::set<std::string, std::less<>>& genericNameParts();

// A readable name made from a bundle identifier: its last dot-separated part that is not a
// generic word, looking no further than the second part ("com.example.mac.helper" gives
// "example"), spelled as in the identifier; the last part when all of those are generic or there
// is only one; the identifier itself when it has no parts at all.
std::string displayName(std::string_view bundleID);

} // namespace DiskScanner
