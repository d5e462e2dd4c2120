#include "platform/MountPoints.h"

#include <sys/sysmacros.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>

namespace platform {

namespace {

bool isOctalDigit(char c) { return c >= '0' && c <= '7'; }

// The kernel writes a space in a mount point as "\040".
std::string decodeOctalEscapes(std::string_view text)
{
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && isOctalDigit(text[i + 1]) && isOctalDigit(text[i + 2]) &&
            isOctalDigit(text[i + 3])) {
            decoded += static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 + (text[i + 3] - '0'));
            i += 3;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

// A line of /proc/self/mountinfo: "ID PARENT MAJOR:MINOR ROOT MOUNTPOINT OPTIONS [TAGS...] -
// FSTYPE SOURCE SUPEROPTIONS".
std::optional<MountedFileSystem> parseMountLine(const std::string& line)
{
    std::istringstream fields(line);
    std::string id, parent, device, root, mountPoint, field;
    if (!(fields >> id >> parent >> device >> root >> mountPoint))
        return std::nullopt;
    unsigned major = 0;
    unsigned minor = 0;
    if (std::sscanf(device.c_str(), "%u:%u", &major, &minor) != 2)
        return std::nullopt;
    while (fields >> field && field != "-") {
    }
    std::string type, source;
    fields >> type >> source;
    return MountedFileSystem{makedev(major, minor), decodeOctalEscapes(mountPoint), decodeOctalEscapes(source),
                             decodeOctalEscapes(type)};
}

std::vector<MountedFileSystem> readMountTable(const char* path)
{
    std::vector<MountedFileSystem> mounts;
    std::ifstream mountinfo(path);
    std::string line;
    while (std::getline(mountinfo, line))
        if (auto mount = parseMountLine(line))
            mounts.push_back(std::move(*mount));
    return mounts;
}

// The kernel's views of itself, and the desktop's bridges to what is not a local file system.
constexpr std::array<std::string_view, 24> pseudoFileSystems = {
    "proc",    "sysfs",       "devtmpfs",    "devpts",     "cgroup", "cgroup2",   "securityfs",  "debugfs",
    "tracefs", "configfs",    "fusectl",     "mqueue",     "hugetlbfs", "pstore", "bpf",         "autofs",
    "nfsd",    "binfmt_misc", "efivarfs",    "rpc_pipefs", "nsfs",   "selinuxfs", "fuse.portal", "fuse.gvfsd-fuse",
};

// The part of `path` below `folder`; empty when `path` is not strictly below it.
std::filesystem::path relativeBelow(const std::filesystem::path& path, const std::filesystem::path& folder)
{
    auto [folderEnd, pathRest] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    std::filesystem::path relative;
    if (folderEnd == folder.end())
        for (; pathRest != path.end(); ++pathRest)
            relative /= *pathRest;
    return relative;
}

} // namespace

std::vector<MountedFileSystem> mountedFileSystems() { return readMountTable("/proc/self/mountinfo"); }

std::vector<MountedFileSystem> mountedFileSystemsForScans()
{
    const char* table = std::getenv("QUILLO_MOUNTINFO");
    return table && *table ? readMountTable(table) : mountedFileSystems();
}

bool isPseudoFileSystem(std::string_view type)
{
    return std::ranges::find(pseudoFileSystems, type) != pseudoFileSystems.end();
}

std::vector<std::filesystem::path> mountPointsBelow(const std::filesystem::path& requested)
{
    const auto folder = requested.has_filename() ? requested : requested.parent_path();
    // The mount table spells paths without links. Only the folders above are resolved: the
    // folder's own name stays as it is, so that a link is never looked through.
    std::error_code error;
    const auto parent = std::filesystem::canonical(folder.has_parent_path() ? folder.parent_path() : ".", error);
    if (error)
        return {};
    const auto resolved = parent / folder.filename();
    std::vector<std::filesystem::path> below;
    for (const auto& mount : mountedFileSystems()) {
        const auto relative = relativeBelow(mount.mountPoint, resolved);
        if (relative.empty())
            continue;
        auto spelled = folder / relative;
        if (std::ranges::find(below, spelled) == below.end())
            below.push_back(std::move(spelled));
    }
    return below;
}

} // namespace platform
