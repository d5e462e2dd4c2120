#include "records/Module.h"

#include <string_view>

namespace {

struct ModuleTexts {
    std::string_view rawValue;
    std::string_view title;
    std::string_view symbol;
    bool needsFullDiskAccess;
    std::string_view tagline;
    std::string_view headline;
    std::string_view explanation;
};

// Indexed by case. The em dashes are U+2014; the apostrophes are plain ASCII.
constexpr ModuleTexts texts[Module::caseCount] = {
    {"smartScan", "Smart Scan", "sparkles", false,
     "Everything safe to clean, in one go.",
     "Let's make some room",
     "Finds system junk, developer caches and Trash in one go. Nothing is removed until you've reviewed it."},
    {"systemJunk", "System Junk", "gearshape.2.fill", false,
     "Caches and logs apps leave lying around.",
     "Sweep up app clutter",
     "Apps keep caches and logs to feel fast, then forget about them. Clearing them is safe — apps rebuild what they need."},
    {"developerJunk", "Developer Junk", "hammer.fill", false,
     "Xcode leftovers, simulators and package caches.",
     "Reclaim space from Xcode",
     "DerivedData, old device support files and package caches can quietly grow to tens of gigabytes. Everything recommended here rebuilds itself."},
    {"trash", "Trash", "trash.fill", true,
     "Stuff you've already thrown away.",
     "Take out the Trash",
     "See exactly what's in your Trash, then delete it for good to get the space back."},
    {"uninstaller", "Uninstaller", "xmark.bin.fill", false,
     "Remove apps and everything they leave behind.",
     "Uninstall apps completely",
     "Dragging an app to the Trash leaves its caches, settings and support files behind. Quillo finds them all, so the app is really gone."},
    {"leftovers", "App Leftovers", "sparkle.magnifyingglass", false,
     "Files from apps you've already deleted.",
     "Catch what deleted apps left",
     "Apps you removed long ago often leave settings, caches and support folders behind. Quillo matches them against the apps you still have."},
    {"largeFiles", "Large Files", "shippingbox.fill", false,
     "Big files hiding in your home folder.",
     "Find the space hogs",
     "Looks through your home folder for unusually big files. Nothing is picked until you choose it."},
    {"duplicates", "Duplicates", "doc.on.doc.fill", false,
     "Identical copies of the same file.",
     "Find duplicate files",
     "Quillo compares files by their content, not their names, so only true copies show up. The oldest copy is always kept."},
    {"downloads", "Downloads", "tray.and.arrow.down.fill", false,
     "Installers and archives you're done with.",
     "Tidy your Downloads",
     "Disk images, installers and archives are rarely needed once they've done their job."},
    {"iosBackups", "iPhone Backups", "iphone", true,
     "Old iPhone and iPad backups.",
     "Clear old device backups",
     "Every iPhone and iPad you've backed up to this Mac can take tens of gigabytes — even phones you no longer own."},
};

constexpr std::string_view smartScanLocations[] = {"Caches & logs", "Xcode data", "Trash"};
constexpr std::string_view systemJunkLocations[] = {"~/Library/Caches", "~/Library/Logs"};
constexpr std::string_view developerJunkLocations[] = {"DerivedData", "Device Support", "Simulators", "Gradle & npm"};
constexpr std::string_view trashLocations[] = {"~/.Trash"};
constexpr std::string_view uninstallerLocations[] = {"/Applications", "~/Applications", "App support files"};
constexpr std::string_view leftoversLocations[] = {"Application Support", "Preferences", "Caches", "Saved State"};
constexpr std::string_view largeFilesLocations[] = {"Home folder", "Skips ~/Library"};
constexpr std::string_view duplicatesLocations[] = {"Home folder", "Files over 1 MB", "Skips build folders"};
constexpr std::string_view downloadsLocations[] = {"~/Downloads"};
constexpr std::string_view iosBackupsLocations[] = {"MobileSync/Backup"};

constexpr std::span<const std::string_view> locationTable[Module::caseCount] = {
    smartScanLocations,
    systemJunkLocations,
    developerJunkLocations,
    trashLocations,
    uninstallerLocations,
    leftoversLocations,
    largeFilesLocations,
    duplicatesLocations,
    downloadsLocations,
    iosBackupsLocations,
};

constexpr Module smartScanTargets[] = {Module::systemJunk, Module::developerJunk, Module::trash};
constexpr Module leafTargets[Module::caseCount] = {
    Module::smartScan,  Module::systemJunk, Module::developerJunk, Module::trash,     Module::uninstaller,
    Module::leftovers,  Module::largeFiles, Module::duplicates,    Module::downloads, Module::iosBackups,
};

} // namespace

std::optional<Module> Module::fromRawValue(std::string_view rawValue)
{
    for (Module module : allCases()) {
        if (module.rawValue() == rawValue)
            return module;
    }
    return std::nullopt;
}

std::string_view Module::rawValue() const { return texts[case_].rawValue; }
std::string_view Module::title() const { return texts[case_].title; }
std::string_view Module::tagline() const { return texts[case_].tagline; }
std::string_view Module::headline() const { return texts[case_].headline; }
std::string_view Module::explanation() const { return texts[case_].explanation; }
std::string_view Module::symbol() const { return texts[case_].symbol; }
bool Module::needsFullDiskAccess() const { return texts[case_].needsFullDiskAccess; }
std::span<const std::string_view> Module::locations() const { return locationTable[case_]; }

std::span<const Module> Module::scanTargets() const
{
    if (case_ == smartScan)
        return smartScanTargets;
    return {&leafTargets[case_], 1};
}
