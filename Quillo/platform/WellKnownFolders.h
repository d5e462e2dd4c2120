#pragma once

#include <array>
#include <filesystem>
#include <string_view>

namespace platform {

// The places the scans look, kept together so that a second platform profile changes them here
// and nowhere else. Relative paths are taken from the home folder the scans use.
namespace WellKnownFolders {

inline constexpr std::string_view library = "Library";
inline constexpr std::string_view caches = "Library/Caches";
inline constexpr std::string_view logs = "Library/Logs";
inline constexpr std::string_view applicationSupport = "Library/Application Support";
inline constexpr std::string_view preferences = "Library/Preferences";
inline constexpr std::string_view containers = "Library/Containers";
inline constexpr std::string_view xcode = "Library/Developer/Xcode";
inline constexpr std::string_view deviceBackups = "Library/Application Support/MobileSync/Backup";
inline constexpr std::string_view downloads = "Downloads";
// The user's own applications folder, relative to the home folder.
inline constexpr std::string_view userApplications = "Applications";

inline constexpr std::string_view savedApplicationState = "Library/Saved Application State";
inline constexpr std::string_view httpStorages = "Library/HTTPStorages";
inline constexpr std::string_view webKit = "Library/WebKit";
inline constexpr std::string_view launchAgents = "Library/LaunchAgents";
inline constexpr std::string_view derivedData = "Library/Developer/Xcode/DerivedData";
inline constexpr std::string_view xcodeArchives = "Library/Developer/Xcode/Archives";
inline constexpr std::string_view xcodePreviews = "Library/Developer/Xcode/UserData/Previews";
inline constexpr std::string_view simulatorCaches = "Library/Developer/CoreSimulator/Caches";
inline constexpr std::string_view gradleCaches = ".gradle/caches";
inline constexpr std::string_view npmCache = ".npm/_cacache";
inline constexpr std::string_view pubCache = ".pub-cache/hosted";
inline constexpr std::string_view cocoaPodsRepos = ".cocoapods/repos";

inline constexpr std::string_view applications = "/Applications";
inline constexpr std::string_view systemApplications = "/System/Applications";

// The folder whose entries are the user's trashed items. Linux: the freedesktop.org home trash,
// `$XDG_DATA_HOME/Trash/files`, with `home/.local/share` standing in for an unset or relative
// XDG_DATA_HOME; macOS: `home/.Trash`.
std::filesystem::path trashFiles(const std::filesystem::path& home);

} // namespace WellKnownFolders

} // namespace platform
