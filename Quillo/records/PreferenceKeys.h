#pragma once

// Every user preference, by the key it is stored under. Types and defaults: largeFileThresholdMB
// (integer, 250), oldDownloadDays (integer, 30), deleteImmediately (bool, false), showInMenuBar,
// menuBarShowsFreeSpace and lowSpaceAlerts (bool, registered as true at start),
// lastLowSpaceAlert (double, seconds since 1970; absent reads as 0), appearance (text:
// "system", "light" or "dark"; "system"), keepPaths (list of texts: the paths and patterns that
// are never offered nor cleaned, as platform/PathPatterns.h reads them; empty).
namespace PreferenceKeys {

inline constexpr const char* largeFileThresholdMB = "largeFileThresholdMB";
inline constexpr const char* oldDownloadDays = "oldDownloadDays";
inline constexpr const char* deleteImmediately = "deleteImmediately";
inline constexpr const char* showInMenuBar = "showInMenuBar";
inline constexpr const char* menuBarShowsFreeSpace = "menuBarShowsFreeSpace";
inline constexpr const char* lowSpaceAlerts = "lowSpaceAlerts";
inline constexpr const char* lastLowSpaceAlert = "lastLowSpaceAlert";
inline constexpr const char* appearance = "appearance";
inline constexpr const char* keepPaths = "keepPaths";

} // namespace PreferenceKeys
