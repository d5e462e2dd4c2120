#include "platform/TrashFolders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>

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

} // namespace platform
