#include <optional>

#include "platform/PropertyList.h"
#include "scan/routines/DerivedDataLabel.h"
#include "scan/DiskScanner.h"
#include "scan/Text.h"

namespace DiskScanner {

namespace {

// The project or workspace file a build folder was built from. Only an absolute path with a
// file name is taken; anything else says nothing about a project.
std::optional<std::filesystem::path> workspaceOf(const std::filesystem::path& buildFolder)
{
    auto info = platform::PropertyListDictionary::read(buildFolder / "info.plist");
    if (!info)
        return std::nullopt;
    const auto path = info->string("WorkspacePath");
    if (!path)
        return std::nullopt;
    auto workspace = std::filesystem::path(*path).lexically_normal();
    if (!workspace.has_filename())
        workspace = workspace.parent_path();
    if (!workspace.is_absolute() || !workspace.has_filename() || workspace.filename() == "..")
        return std::nullopt;
    return workspace;
}

std::string folderName(const std::filesystem::path& folder)
{
    return folder.has_filename() ? folder.filename().string() : folder.string();
}

DerivedDataLabel labelFromWorkspace(const std::filesystem::path& workspace)
{
    auto projectFolder = workspace.parent_path();
    std::string name = workspace.stem().string();
    // Flutter and similar tools keep the native project one level down, named after the platform.
    const auto projectFolderName = projectFolder.filename();
    if (projectFolderName == "ios" || projectFolderName == "macos") {
        projectFolder = projectFolder.parent_path();
        if (name == "Runner")
            name = folderName(projectFolder);
    }
    return {std::move(name), "DerivedData · " + abbreviatedPath(projectFolder)};
}

std::string joined(const std::vector<std::string_view>& parts, std::string_view separator)
{
    std::string result;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            result += separator;
        result += parts[i];
    }
    return result;
}

} // namespace

DerivedDataLabel derivedDataLabel(const std::filesystem::path& buildFolder)
{
    if (const auto workspace = workspaceOf(buildFolder))
        return labelFromWorkspace(*workspace);
    // The environment names a build folder "<project>-<hash>".
    const std::string folder = buildFolder.filename().string();
    auto parts = Text::nonEmptyParts(folder, '-');
    if (parts.size() < 2)
        return {folder, "Xcode DerivedData"};
    const std::string hashStart = Text::prefix(parts.back(), 8);
    parts.pop_back();
    return {joined(parts, "-"), "Xcode DerivedData · " + hashStart};
}

} // namespace DiskScanner
