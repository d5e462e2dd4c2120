#include "platform/desktop/SystemSettings.h"

#include <filesystem>

#include <QDesktopServices>

#include "platform/HomeDirectory.h"
#include "platform/WellKnownFolders.h"

namespace platform {

namespace {

constexpr const char* systemSettingsScheme = "x-apple.systempreferences";

std::filesystem::path nearestExistingFolder(std::filesystem::path folder)
{
    std::error_code error;
    while (folder.has_relative_path() && !std::filesystem::is_directory(folder, error))
        folder = folder.parent_path();
    return folder;
}

std::optional<std::filesystem::path> folderForPane(const QString& pane)
{
    const auto home = homeDirectory();
    if (pane == "Privacy_AllFiles")
        return WellKnownFolders::trashFiles(home).parent_path();
    if (pane == "Privacy_FilesAndFolders")
        return home;
    return std::nullopt;
}

} // namespace

std::optional<QUrl> systemSettingsTarget(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty())
        return std::nullopt;
    if (url.scheme() != systemSettingsScheme)
        return url;
    const auto folder = folderForPane(url.query());
    if (!folder)
        return std::nullopt;
    return QUrl::fromLocalFile(QString::fromStdString(nearestExistingFolder(*folder).string()));
}

void openSystemSettings(const QString& url)
{
    if (const auto target = systemSettingsTarget(url))
        QDesktopServices::openUrl(*target);
}

} // namespace platform
