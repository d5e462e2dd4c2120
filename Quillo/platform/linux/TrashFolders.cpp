#include "platform/TrashFolders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>

#include "platform/HomeDirectory.h"
#include "platform/WellKnownFolders.h"

namespace platform {

namespace {

std::filesystem::path homeTrash()
{
    return WellKnownFolders::trashFiles(homeDirectory()).parent_path().lexically_normal();
}

bool isSymbolicLink(const std::filesystem::path& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool isTopDirectoryTrash(const std::filesystem::path& trash)
{
    const std::string uid = std::to_string(::getuid());
    return trash.filename() == ".Trash-" + uid ||
           (trash.filename() == uid && trash.parent_path().filename() == ".Trash");
}

// The rules for a trash on another volume, beyond links: the per-user folder is the user's, and
// the shared `.Trash` it may live in is sticky, so that no other user can swap its folders.
Outcome checkTopDirectoryTrash(const std::filesystem::path& trash)
{
    struct stat own {};
    if (::lstat(trash.c_str(), &own) != 0)
        return success();
    if (!S_ISDIR(own.st_mode) || own.st_uid != ::geteuid())
        return Result<std::monostate>::failure(EACCES);
    if (trash.parent_path().filename() != ".Trash")
        return success();
    struct stat shared {};
    if (::lstat(trash.parent_path().c_str(), &shared) != 0 || !S_ISDIR(shared.st_mode) || !(shared.st_mode & S_ISVTX))
        return Result<std::monostate>::failure(EACCES);
    return success();
}

bool isWithin(const std::filesystem::path& path, const std::filesystem::path& folder)
{
    auto [folderEnd, pathIt] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return folderEnd == folder.end();
}

// The mount point of the deepest mount in `mounts` that holds `path`, as the mount table spells
// paths: without links.
std::optional<std::filesystem::path> mountHolding(const std::vector<MountedFileSystem>& mounts,
                                                  const std::filesystem::path& path)
{
    std::error_code error;
    const auto resolved = std::filesystem::weakly_canonical(path, error);
    std::optional<std::filesystem::path> deepest;
    for (const auto& mount : mounts) {
        if (isWithin(error ? path : resolved, mount.mountPoint) &&
            (!deepest || std::distance(mount.mountPoint.begin(), mount.mountPoint.end()) >
                             std::distance(deepest->begin(), deepest->end())))
            deepest = mount.mountPoint;
    }
    return deepest;
}

// The user may empty the trash: its files folder is there and may be written, on a file system
// mounted for writing.
bool canEmpty(const std::filesystem::path& trash)
{
    return ::faccessat(AT_FDCWD, (trash / "files").c_str(), W_OK | X_OK, AT_EACCESS) == 0 &&
           checkTrashFolders(trash).ok();
}

} // namespace

std::optional<std::filesystem::path> trashHolding(const std::filesystem::path& entry)
{
    const auto files = entry.lexically_normal().parent_path();
    if (files.filename() != "files")
        return std::nullopt;
    const auto trash = files.parent_path();
    if (trash == homeTrash() || isTopDirectoryTrash(trash))
        return trash;
    return std::nullopt;
}

Outcome checkTrashFolders(const std::filesystem::path& trash)
{
    for (const auto& folder : {trash, trash / "files", trash / "info"}) {
        if (isSymbolicLink(folder))
            return Result<std::monostate>::failure(EACCES);
    }
    return isTopDirectoryTrash(trash) ? checkTopDirectoryTrash(trash) : success();
}

std::vector<TopDirectoryTrash> topDirectoryTrashes(const std::vector<MountedFileSystem>& mounts,
                                                   const std::filesystem::path& homeTrash)
{
    const auto homeMount = mountHolding(mounts, homeTrash);
    const std::string uid = std::to_string(::getuid());
    std::vector<TopDirectoryTrash> trashes;
    std::set<std::pair<dev_t, ino_t>> seen;
    // Latest first: of mounts stacked on one folder, the last made is the one seen there.
    for (auto mount = mounts.rbegin(); mount != mounts.rend(); ++mount) {
        if (isPseudoFileSystem(mount->type) || mount->mountPoint == homeMount)
            continue;
        for (const auto& trash : {mount->mountPoint / (".Trash-" + uid), mount->mountPoint / ".Trash" / uid}) {
            struct stat st {};
            if (::lstat(trash.c_str(), &st) != 0 || !canEmpty(trash) || !seen.emplace(st.st_dev, st.st_ino).second)
                continue;
            trashes.push_back({trash, *mount});
        }
    }
    std::ranges::reverse(trashes);
    return trashes;
}

} // namespace platform
