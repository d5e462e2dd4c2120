#include "platform/Volume.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <vector>

#include "platform/DirectoryListing.h"
#include "platform/MountPoints.h"
#include "platform/PlatformWords.h"

namespace platform {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// udev writes a space in a label as "\x20".
std::string decodeHexEscapes(std::string_view text)
{
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' && hexDigit(text[i + 2]) >= 0 &&
            hexDigit(text[i + 3]) >= 0) {
            decoded += static_cast<char>(hexDigit(text[i + 2]) * 16 + hexDigit(text[i + 3]));
            i += 3;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

bool isWithin(const std::filesystem::path& path, const std::filesystem::path& folder)
{
    auto [folderEnd, pathIt] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return folderEnd == folder.end();
}

// The mount that holds `folder`: the deepest mount point above it, preferring those of the
// folder's own device (a folder may sit below several stacked mounts).
std::optional<MountedFileSystem> mountHolding(const std::filesystem::path& folder, dev_t device)
{
    std::optional<MountedFileSystem> best;
    auto rank = [&](const MountedFileSystem& mount) {
        return std::pair(mount.device == device, std::distance(mount.mountPoint.begin(), mount.mountPoint.end()));
    };
    for (auto& mount : mountedFileSystems()) {
        if (isWithin(folder, mount.mountPoint) && (!best || rank(mount) >= rank(*best)))
            best = std::move(mount);
    }
    return best;
}

// The label of the block device behind the volume, from udev's /dev/disk/by-label links.
std::optional<std::string> labelOf(dev_t device, const std::string& source)
{
    std::vector<dev_t> devices{device};
    struct stat st {};
    if (source.starts_with("/dev/") && ::stat(source.c_str(), &st) == 0 && S_ISBLK(st.st_mode))
        devices.push_back(st.st_rdev);
    auto labels = listDirectory("/dev/disk/by-label");
    if (!labels)
        return std::nullopt;
    for (const auto& entry : *labels) {
        if (::stat(entry.path.c_str(), &st) == 0 && S_ISBLK(st.st_mode) &&
            std::find(devices.begin(), devices.end(), st.st_rdev) != devices.end())
            return decodeHexEscapes(entry.name);
    }
    return std::nullopt;
}

std::optional<std::string> nameOfVolumeHolding(const std::filesystem::path& folder, dev_t device)
{
    std::error_code error;
    auto canonical = std::filesystem::canonical(folder, error);
    const auto mount = mountHolding(error ? folder : canonical, device);
    if (!mount)
        return std::nullopt;
    return volumeName(*mount);
}

} // namespace

std::string volumeName(const MountedFileSystem& mount)
{
    if (auto label = labelOf(static_cast<dev_t>(mount.device), mount.source))
        return *label;
    if (mount.mountPoint == mount.mountPoint.root_path())
        return std::string(platformWords().startupVolumeFallback);
    return mount.mountPoint.filename().string();
}

Result<VolumeFigures> volumeFigures(const std::filesystem::path& folder)
{
    struct statvfs volume {};
    struct stat st {};
    if (::statvfs(folder.c_str(), &volume) != 0 || ::stat(folder.c_str(), &st) != 0)
        return lastError();
    const auto blockSize = static_cast<std::int64_t>(volume.f_frsize);
    VolumeFigures figures;
    figures.totalCapacity = static_cast<std::int64_t>(volume.f_blocks) * blockSize;
    figures.availableCapacity = static_cast<std::int64_t>(volume.f_bavail) * blockSize;
    figures.name = nameOfVolumeHolding(folder, st.st_dev);
    return figures;
}

} // namespace platform
