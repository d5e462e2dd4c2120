#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace DiskScanner {

// The bundle identifier a support file's name carries, case kept: the name without one
// ".plist", then one ".savedState", then one ".binarycookies" ending (tried in that order, each
// once, case-sensitive), when what is left has at least three non-empty dot-separated parts, a
// first part that is a known top-level domain ("com", "org", "io", ..., in any case), and only
// letters and digits of any script, ".", "-" and "_". Nothing otherwise, and nothing for a name
// that is not valid UTF-8.
std::optional<std::string> bundleID(std::string_view fileName);

// The vendor an identifier belongs to: its first two non-empty parts, lower case
// ("com.example" for "com.Example.App.helper").
std::string vendorPrefix(std::string_view identifier);

} // namespace DiskScanner
