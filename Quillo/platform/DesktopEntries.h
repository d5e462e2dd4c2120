#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// One application as its desktop entry (the freedesktop.org Desktop Entry Specification) tells it.
struct DesktopEntry {
    // The desktop-file id: the file's path below "applications" with "/" written as "-"
    // ("org.gimp.GIMP.desktop", "kde-okular.desktop").
    std::string id;
    std::filesystem::path file;
    // `Name`, in the user's language where the entry has it.
    std::string name;
    std::optional<std::string> startupWMClass;
    // The program `Exec` runs, past an `env` and its variable settings, as the line names it: a
    // path, or a name to look up in PATH ("/snap/bin/firefox" for "env BAMF_DESKTOP_FILE_HINT=...
    // /snap/bin/firefox %u"); and its file name ("firefox").
    std::optional<std::filesystem::path> programPath;
    std::optional<std::string> program;
    std::optional<std::string> icon;
    // `X-Flatpak`: the Flatpak application the entry starts, whose `Exec` runs `flatpak` itself.
    std::optional<std::string> flatpakID;

    bool operator==(const DesktopEntry&) const = default;
};

// The application entries in the "applications" folder (and its sub-folders) of each of
// `dataFolders`, most important first. Where several share an id, the first one counts, also when
// it is hidden (`Hidden=true` deletes an entry of a folder further down the list). Entries that
// are not applications, cannot be read or parsed, or have no name are left out; so are folders
// that cannot be listed. Read with GLib's key-file reader, through the one reader of Quillo's own
// files (FileContents.h).
std::vector<DesktopEntry> desktopEntries(const std::vector<std::filesystem::path>& dataFolders);

} // namespace platform
