#pragma once

#include <span>
#include <string_view>

namespace platform {

// The texts that name something only one operating system has (the computer, its file manager,
// its settings, its developer tools, the places its applications keep things). On macOS they are
// the product's own words exactly; on Linux their Linux counterparts. Every other text is the same
// on both. Records and screens take these texts from here and nowhere else.
struct PlatformWords {
    // The home screen and the tray panel.
    std::string_view scanMyComputer;        // "Scan my Mac"
    std::string_view computerIsSpotless;    // "Your Mac is spotless"
    std::string_view computerIsAlmostFull;  // "Your Mac is almost full" (the notification's title)
    std::string_view computerIsAlmostFullOnly; // "Your Mac is almost full: only " + free space + " left."
    std::string_view scanningComputer;      // "Scanning your Mac…"
    std::string_view trayIdleLine;          // "Caches, Xcode data and Trash."

    // The module catalogue.
    std::string_view developerJunkTagline;
    std::string_view developerJunkHeadline;
    std::string_view developerJunkExplanation;
    std::string_view iosBackupsExplanation;
    std::span<const std::string_view> smartScanLocations;
    std::span<const std::string_view> systemJunkLocations;
    std::span<const std::string_view> developerJunkLocations;
    std::span<const std::string_view> trashLocations;
    std::span<const std::string_view> largeFilesLocations;
    std::span<const std::string_view> uninstallerLocations;
    std::span<const std::string_view> leftoversLocations;

    // Tags, rows and the access explanation.
    std::string_view systemTagHelp;         // "Belongs to macOS. Usually safe to remove, but worth a look."
    std::string_view showInFileManager;     // "Show in Finder"
    std::string_view needsAccess;           // "Needs Full Disk Access"
    std::string_view accessSettingName;     // "Full Disk Access" (the settings window's row)
    std::string_view openAccessSettings;    // "Open System Settings"
    // The access explanation's message: `accessMessageBefore` + what cannot be read ("your Trash",
    // "device backups") + `accessMessageAfter` for a module that needs the permission, and
    // `folderAccessMessage` for any other.
    std::string_view accessMessageBefore;
    std::string_view accessMessageAfter;
    std::string_view folderAccessMessage;

    // The settings window: the tray item's section and switches, and the access row's button.
    std::string_view menuBarSection;        // "Menu bar"
    std::string_view showInMenuBar;         // "Show Quillo in the menu bar"
    std::string_view menuBarShowsFreeSpace; // "Show free space next to the icon"
    std::string_view openAccessSettingsShort; // "Open Settings…"

    // The start-up volume's name when the system gives none.
    std::string_view startupVolumeFallback; // "Macintosh HD"
};

// The words of the system this is built for.
const PlatformWords& platformWords();
// Both tables, for tests that hold each to its texts.
const PlatformWords& macWords();
const PlatformWords& linuxWords();

} // namespace platform
