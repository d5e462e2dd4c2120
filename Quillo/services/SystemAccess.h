#pragma once

#include <QString>

// Whether the application may read everything in the user's folders, and the way to the
// system's settings where that access is granted.
namespace SystemAccess {

// The settings pane for Full Disk Access, and the one for files and folders.
inline constexpr const char* fullDiskAccessSettingsURL =
    "x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles";
inline constexpr const char* filesAndFoldersSettingsURL =
    "x-apple.systempreferences:com.apple.preference.security?Privacy_FilesAndFolders";

// Reads the system afresh on every call; safe on any thread.
bool hasFullDiskAccess();

// Opens the settings pane `url` names (one of the two above); a text that is not a URL, or a
// pane the system has no counterpart of, is ignored. Returns at once.
void openSettings(const QString& url);

} // namespace SystemAccess
