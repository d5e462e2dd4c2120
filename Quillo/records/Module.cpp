#include "records/Module.h"

#include <string_view>

#include "platform/PlatformWords.h"

namespace {

using platform::PlatformWords;

// A catalogue text: the same on every system, or one that names something only one system has,
// taken from the platform's words.
struct Text {
    constexpr Text(const char* same) : same(same) {}
    constexpr Text(std::string_view PlatformWords::*word) : word(word) {}
    std::string_view operator()() const { return word ? platform::platformWords().*word : same; }

    std::string_view same;
    std::string_view PlatformWords::*word = nullptr;
};

struct Locations {
    template <std::size_t count>
    constexpr Locations(const std::string_view (&same)[count]) : same(same) {}
    constexpr Locations(std::span<const std::string_view> PlatformWords::*words) : words(words) {}
    std::span<const std::string_view> operator()() const { return words ? platform::platformWords().*words : same; }

    std::span<const std::string_view> same;
    std::span<const std::string_view> PlatformWords::*words = nullptr;
};

struct ModuleTexts {
    std::string_view rawValue;
    std::string_view title;
    std::string_view symbol;
    bool needsFullDiskAccess;
    Text tagline;
    Text headline;
    Text explanation;
    Locations locations;
};

constexpr std::string_view duplicatesLocations[] = {"Home folder", "Files over 1 MB", "Skips build folders"};
constexpr std::string_view downloadsLocations[] = {"~/Downloads"};
constexpr std::string_view iosBackupsLocations[] = {"MobileSync/Backup"};

// Indexed by case. The em dashes are U+2014; the apostrophes are plain ASCII. Texts that name
// something only one system has (the computer, its tools and folders) are the platform's words.
constexpr ModuleTexts texts[Module::caseCount] = {
    {"smartScan", "Smart Scan", "sparkles", false,
     "Everything safe to clean, in one go.",
     "Let's make some room",
     "Finds system junk, developer caches and Trash in one go. Nothing is removed until you've reviewed it.",
     &PlatformWords::smartScanLocations},
    {"systemJunk", "System Junk", "gearshape.2.fill", false,
     "Caches and logs apps leave lying around.",
     "Sweep up app clutter",
     "Apps keep caches and logs to feel fast, then forget about them. Clearing them is safe — apps rebuild what they need.",
     &PlatformWords::systemJunkLocations},
    {"developerJunk", "Developer Junk", "hammer.fill", false,
     &PlatformWords::developerJunkTagline,
     &PlatformWords::developerJunkHeadline,
     &PlatformWords::developerJunkExplanation,
     &PlatformWords::developerJunkLocations},
    {"trash", "Trash", "trash.fill", true,
     "Stuff you've already thrown away.",
     "Take out the Trash",
     "See exactly what's in your Trash, then delete it for good to get the space back.",
     &PlatformWords::trashLocations},
    {"uninstaller", "Uninstaller", "xmark.bin.fill", false,
     "Remove apps and everything they leave behind.",
     "Uninstall apps completely",
     "Dragging an app to the Trash leaves its caches, settings and support files behind. Quillo finds them all, so the app is really gone.",
     &PlatformWords::uninstallerLocations},
    {"leftovers", "App Leftovers", "sparkle.magnifyingglass", false,
     "Files from apps you've already deleted.",
     "Catch what deleted apps left",
     "Apps you removed long ago often leave settings, caches and support folders behind. Quillo matches them against the apps you still have.",
     &PlatformWords::leftoversLocations},
    {"largeFiles", "Large Files", "shippingbox.fill", false,
     "Big files hiding in your home folder.",
     "Find the space hogs",
     "Looks through your home folder for unusually big files. Nothing is picked until you choose it.",
     &PlatformWords::largeFilesLocations},
    {"duplicates", "Duplicates", "doc.on.doc.fill", false,
     "Identical copies of the same file.",
     "Find duplicate files",
     "Quillo compares files by their content, not their names, so only true copies show up. The oldest copy is always kept.",
     duplicatesLocations},
    {"downloads", "Downloads", "tray.and.arrow.down.fill", false,
     "Installers and archives you're done with.",
     "Tidy your Downloads",
     "Disk images, installers and archives are rarely needed once they've done their job.",
     downloadsLocations},
    {"iosBackups", "iPhone Backups", "iphone", true,
     "Old iPhone and iPad backups.",
     "Clear old device backups",
     &PlatformWords::iosBackupsExplanation,
     iosBackupsLocations},
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
std::string_view Module::tagline() const { return texts[case_].tagline(); }
std::string_view Module::headline() const { return texts[case_].headline(); }
std::string_view Module::explanation() const { return texts[case_].explanation(); }
std::string_view Module::symbol() const { return texts[case_].symbol; }
bool Module::needsFullDiskAccess() const { return texts[case_].needsFullDiskAccess; }
std::span<const std::string_view> Module::locations() const { return texts[case_].locations(); }

std::span<const Module> Module::scanTargets() const
{
    if (case_ == smartScan)
        return smartScanTargets;
    return {&leafTargets[case_], 1};
}
