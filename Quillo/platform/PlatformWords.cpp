#include "platform/PlatformWords.h"

namespace platform {

namespace {

// The em dashes are U+2014, the ellipses U+2026, the chevrons U+203A.
constexpr std::string_view macSmartScanLocations[] = {"Caches & logs", "Xcode data", "Trash"};
constexpr std::string_view macSystemJunkLocations[] = {"~/Library/Caches", "~/Library/Logs"};
constexpr std::string_view macDeveloperJunkLocations[] = {"DerivedData", "Device Support", "Simulators", "Gradle & npm"};
constexpr std::string_view macTrashLocations[] = {"~/.Trash"};
constexpr std::string_view macLargeFilesLocations[] = {"Home folder", "Skips ~/Library"};
constexpr std::string_view macUninstallerLocations[] = {"/Applications", "~/Applications", "App support files"};
constexpr std::string_view macLeftoversLocations[] = {"Application Support", "Preferences", "Caches", "Saved State"};

constexpr std::string_view linuxSmartScanLocations[] = {"Caches & logs", "Developer caches", "Trash"};
constexpr std::string_view linuxSystemJunkLocations[] = {"~/.cache", "Flatpak & Snap caches"};
constexpr std::string_view linuxDeveloperJunkLocations[] = {"Build folders", "npm, pip & Cargo", "Gradle & Maven",
                                                            "IDE caches"};
constexpr std::string_view linuxTrashLocations[] = {"~/.local/share/Trash", "Other drives"};
constexpr std::string_view linuxLargeFilesLocations[] = {"Home folder", "Skips hidden folders"};
constexpr std::string_view linuxUninstallerLocations[] = {"Flatpak apps", "AppImages", "~/Applications"};
constexpr std::string_view linuxLeftoversLocations[] = {"~/.var/app", "~/.config", "~/.local/share"};

constexpr PlatformWords mac{
    .scanMyComputer = "Scan my Mac",
    .computerIsSpotless = "Your Mac is spotless",
    .computerIsAlmostFull = "Your Mac is almost full",
    .computerIsAlmostFullOnly = "Your Mac is almost full: only ",
    .scanningComputer = "Scanning your Mac…",
    .trayIdleLine = "Caches, Xcode data and Trash.",
    .developerJunkTagline = "Xcode leftovers, simulators and package caches.",
    .developerJunkHeadline = "Reclaim space from Xcode",
    .developerJunkExplanation = "DerivedData, old device support files and package caches can quietly grow to tens "
                                "of gigabytes. Everything recommended here rebuilds itself.",
    .iosBackupsExplanation = "Every iPhone and iPad you've backed up to this Mac can take tens of gigabytes — even "
                             "phones you no longer own.",
    .smartScanLocations = macSmartScanLocations,
    .systemJunkLocations = macSystemJunkLocations,
    .developerJunkLocations = macDeveloperJunkLocations,
    .trashLocations = macTrashLocations,
    .largeFilesLocations = macLargeFilesLocations,
    .uninstallerLocations = macUninstallerLocations,
    .leftoversLocations = macLeftoversLocations,
    .systemTagHelp = "Belongs to macOS. Usually safe to remove, but worth a look.",
    .showInFileManager = "Show in Finder",
    .needsAccess = "Needs Full Disk Access",
    .accessSettingName = "Full Disk Access",
    .openAccessSettings = "Open System Settings",
    .accessMessageBefore = "macOS keeps ",
    .accessMessageAfter = " private. Turn on Quillo in System Settings › Privacy & Security › Full Disk Access, "
                          "then reopen Quillo.",
    .folderAccessMessage = "Allow Quillo to read this folder in System Settings › Privacy & Security › Files & "
                           "Folders.",
    .menuBarSection = "Menu bar",
    .showInMenuBar = "Show Quillo in the menu bar",
    .menuBarShowsFreeSpace = "Show free space next to the icon",
    .openAccessSettingsShort = "Open Settings…",
    .startupVolumeFallback = "Macintosh HD",
};

constexpr PlatformWords linux{
    .scanMyComputer = "Scan my computer",
    .computerIsSpotless = "Your computer is spotless",
    .computerIsAlmostFull = "Your computer is almost full",
    .computerIsAlmostFullOnly = "Your computer is almost full: only ",
    .scanningComputer = "Scanning your computer…",
    .trayIdleLine = "Caches, developer data and Trash.",
    .developerJunkTagline = "Build folders, tool caches and package caches.",
    .developerJunkHeadline = "Reclaim space from your tools",
    .developerJunkExplanation = "Build folders, tool caches and package caches can quietly grow to tens of "
                                "gigabytes. Everything recommended here rebuilds itself.",
    .iosBackupsExplanation = "Every iPhone and iPad you've backed up to this computer can take tens of gigabytes — "
                             "even phones you no longer own.",
    .smartScanLocations = linuxSmartScanLocations,
    .systemJunkLocations = linuxSystemJunkLocations,
    .developerJunkLocations = linuxDeveloperJunkLocations,
    .trashLocations = linuxTrashLocations,
    .largeFilesLocations = linuxLargeFilesLocations,
    .uninstallerLocations = linuxUninstallerLocations,
    .leftoversLocations = linuxLeftoversLocations,
    .systemTagHelp = "Belongs to the desktop. Usually safe to remove, but worth a look.",
    .showInFileManager = "Show in Files",
    .needsAccess = "Needs folder access",
    .accessSettingName = "Folder access",
    .openAccessSettings = "Open Folder",
    .accessMessageBefore = "Quillo can't read ",
    .accessMessageAfter = ". Check that your user can open it, then try again.",
    .folderAccessMessage = "Quillo can't read this folder. Check that your user can open it, then try again.",
    // No tray draws text beside its icons: the free space is in the icon's tooltip.
    .menuBarSection = "System tray",
    .showInMenuBar = "Show Quillo in the system tray",
    .menuBarShowsFreeSpace = "Show free space when pointing at the icon",
    .openAccessSettingsShort = "Open Folder",
    .startupVolumeFallback = "Computer",
};

} // namespace

const PlatformWords& macWords() { return mac; }
const PlatformWords& linuxWords() { return linux; }

const PlatformWords& platformWords()
{
#ifdef __APPLE__
    return mac;
#else
    return linux;
#endif
}

} // namespace platform
