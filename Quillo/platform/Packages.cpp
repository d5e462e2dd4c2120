#include "platform/Packages.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace platform {

namespace {

// The macOS system declares these folder types as packages; the list stands in for its own test
// on every system, so that a copied app or library is treated alike everywhere.
constexpr std::array<std::string_view, 36> packageExtensions = {
    "app",          "appex",         "aplibrary",   "band",        "bundle",      "component",
    "docset",       "fcpbundle",     "framework",   "imovielibrary", "kext",      "key",
    "logicx",       "mdimporter",    "migratedphotolibrary", "mlmodelc", "mpkg",  "musiclibrary",
    "numbers",      "pages",         "photolibrary", "photoslibrary", "pkg",      "playground",
    "plugin",       "prefpane",      "qlgenerator", "rtfd",        "saver",       "sparsebundle",
    "tvlibrary",    "vst3",          "wdgt",        "xcarchive",   "xcodeproj",   "xpc",
};

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

bool isPackageName(std::string_view folderName)
{
    const auto dot = folderName.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return false;
    const auto extension = folderName.substr(dot + 1);
    return std::any_of(packageExtensions.begin(), packageExtensions.end(),
                       [&](std::string_view candidate) { return equalsIgnoringCase(candidate, extension); });
}

} // namespace platform
