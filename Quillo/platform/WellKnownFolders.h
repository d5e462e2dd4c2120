#pragma once

#include <array>
#include <filesystem>
#include <string_view>
#include <vector>

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

// The Linux profile: where Linux keeps what the places above hold on macOS. The scans look here
// too when `linuxPlaces` is true; on macOS they look only where the places above say.
#ifdef __APPLE__
inline constexpr bool linuxPlaces = false;
#else
inline constexpr bool linuxPlaces = true;
#endif

// The folder of the user's caches, whose entries are caches like those of `caches`:
// `$XDG_CACHE_HOME`, with `home/.cache` standing in for an unset or relative one.
std::filesystem::path userCaches(const std::filesystem::path& home);
// Places that are spelled from the home folder but begin with ".cache/" lie in `userCaches`,
// wherever XDG_CACHE_HOME puts it; others in the home folder.
std::filesystem::path inHome(const std::filesystem::path& home, std::string_view relative);

// Flatpak keeps each application's data in `.var/app/<app id>`, its cache in "cache" there; Snap in
// `snap/<snap name>`, its cache in "common/.cache" there.
inline constexpr std::string_view flatpakApps = ".var/app";
inline constexpr std::string_view flatpakAppCache = "cache";
inline constexpr std::string_view snapApps = "snap";
inline constexpr std::string_view snapAppCache = "common/.cache";
// Where Linux users put applications they install themselves: AppImages directly in
// `appImageFolders`, unpacked ones as top-level folders of `homeAppFolders` ("opt/idea-2024.1").
inline constexpr std::array<std::string_view, 4> appImageFolders = {"Applications", ".local/bin", "AppImages", "bin"};
inline constexpr std::array<std::string_view, 3> homeAppFolders = {"Applications", "opt", ".local/opt"};
// The folders of the user's settings and data: `$XDG_CONFIG_HOME` and `$XDG_DATA_HOME`, with
// `home/.config` and `home/.local/share` standing in for unset or relative ones.
std::filesystem::path userSettings(const std::filesystem::path& home);
std::filesystem::path userData(const std::filesystem::path& home);
// The X server's session logs ("*.log", "*.log.old") and the previous session's error log.
inline constexpr std::string_view xorgLogs = ".local/share/xorg";
inline constexpr std::string_view previousSessionErrors = ".xsession-errors.old";

// The folders whose "applications" folder holds desktop entries, most important first:
// `$XDG_DATA_HOME` (else `home/.local/share`), Flatpak's exports for the user and for the system,
// then `$XDG_DATA_DIRS` (else /usr/local/share and /usr/share). Relative ones are ignored.
std::vector<std::filesystem::path> applicationDataFolders(const std::filesystem::path& home);

// Tools' caches and stores in the home folder (spelled as for `inHome`).
inline constexpr std::string_view pipCache = ".cache/pip";
inline constexpr std::string_view uvCache = ".cache/uv";
inline constexpr std::string_view poetryCache = ".cache/pypoetry/cache";
inline constexpr std::string_view yarnCache = ".cache/yarn";
inline constexpr std::string_view npxCache = ".npm/_npx";
inline constexpr std::string_view pnpmStore = ".local/share/pnpm/store";
inline constexpr std::string_view goBuildCache = ".cache/go-build";
inline constexpr std::string_view goModuleDownloads = "go/pkg/mod/cache/download";
inline constexpr std::string_view cargoDownloads = ".cargo/registry/cache";
inline constexpr std::string_view cargoSources = ".cargo/registry/src";
inline constexpr std::string_view cargoGitCheckouts = ".cargo/git/db";
inline constexpr std::string_view mavenRepository = ".m2/repository";
inline constexpr std::string_view gradleDistributions = ".gradle/wrapper/dists";
inline constexpr std::string_view jetBrainsCaches = ".cache/JetBrains";
inline constexpr std::string_view vsCodeCache = ".config/Code/Cache";
inline constexpr std::string_view vsCodeCompiledCode = ".config/Code/CachedData";
inline constexpr std::string_view ccache = ".cache/ccache";
inline constexpr std::string_view bazelCache = ".cache/bazel";
inline constexpr std::string_view nodeGypHeaders = ".cache/node-gyp";
inline constexpr std::string_view huggingFaceCache = ".cache/huggingface";
inline constexpr std::string_view playwrightBrowsers = ".cache/ms-playwright";

} // namespace WellKnownFolders

} // namespace platform
