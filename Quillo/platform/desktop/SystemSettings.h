#pragma once

#include <optional>

#include <QString>
#include <QUrl>

namespace platform {

// What opening the settings URL `url` shows on this system; absent for a text that is not a URL
// and for a settings pane this system has no counterpart of.
//
// Linux has no privacy panes: access to files is a matter of folder permissions, so the Full
// Disk Access pane maps to the folder that holds the Trash (the folder whose readability stands
// for that access) and the files-and-folders pane to the home folder, each opened in the file
// manager (or the nearest folder above it that exists). Other URLs are opened as they are.
std::optional<QUrl> systemSettingsTarget(const QString& url);

// Opens what systemSettingsTarget gives with the desktop's handler; nothing otherwise. The
// handler's answer is not awaited.
void openSystemSettings(const QString& url);

} // namespace platform
