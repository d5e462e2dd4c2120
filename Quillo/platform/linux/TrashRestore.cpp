#include "platform/TrashRestore.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <glib.h>

#include "platform/FileContents.h"
#include "platform/FileDescriptor.h"
#include "platform/TrashFolders.h"

namespace platform {

namespace {

// A record holds a path and a date: far less than this.
constexpr std::size_t maxRecordBytes = 64 * 1024;

std::filesystem::path recordOf(const TrashEntry& entry) { return entry.trash / "info" / (entry.name + ".trashinfo"); }

// The folder a trash on another volume writes its paths relative to: $topdir of $topdir/.Trash-$uid
// and of $topdir/.Trash/$uid. None for the home trash, whose paths are absolute.
std::optional<std::filesystem::path> topDirectoryOf(const std::filesystem::path& trash)
{
    const std::string uid = std::to_string(::getuid());
    if (trash.filename() == ".Trash-" + uid)
        return trash.parent_path();
    if (trash.filename() == uid && trash.parent_path().filename() == ".Trash")
        return trash.parent_path().parent_path();
    return std::nullopt;
}

// The Path key of the record's "Trash Info" group, percent-decoded.
Result<std::filesystem::path> recordedPath(const TrashEntry& entry)
{
    const auto missing = Result<std::filesystem::path>::failure(ENODATA);
    auto record = readFileContents(recordOf(entry), maxRecordBytes);
    if (!record)
        return missing;
    g_autoptr(GKeyFile) keys = g_key_file_new();
    if (!g_key_file_load_from_data(keys, record->data(), record->size(), G_KEY_FILE_NONE, nullptr))
        return missing;
    // The raw value: the path is percent-encoded, not escaped the way other key files' texts are.
    g_autofree char* encoded = g_key_file_get_value(keys, "Trash Info", "Path", nullptr);
    g_autofree char* decoded = encoded ? g_uri_unescape_string(encoded, nullptr) : nullptr;
    if (!decoded || !*decoded)
        return missing;
    std::filesystem::path path(decoded);
    if (path.is_relative()) {
        const auto top = topDirectoryOf(entry.trash);
        if (!top)
            return missing;
        path = *top / path;
    }
    path = path.lexically_normal();
    if (!path.has_filename() || path.filename() == "..")
        return missing;
    return path;
}

// The folder the item goes back into, made again where it is gone, as the file managers do.
Result<FileDescriptor> folderFor(const std::filesystem::path& original)
{
    std::error_code error;
    std::filesystem::create_directories(original.parent_path(), error);
    if (error)
        return error;
    return openDirectory(original.parent_path(), FinalLink::follow);
}

// The trash's files folder, when it still holds the very item that was trashed as `entry`.
Result<FileDescriptor> filesHolding(const TrashEntry& entry)
{
    if (auto usable = checkTrashFolders(entry.trash); !usable)
        return usable.error();
    auto files = openDirectory(entry.trash / "files");
    if (!files)
        return Result<FileDescriptor>::failure(ENOENT);
    auto attributes =
        readAttributesAt(files->get(), entry.name.c_str(), AttributeKey::contentIdentifier | AttributeKey::addedDate);
    if (!attributes || attributes->contentIdentifier != entry.identity || !attributes->addedDate ||
        nanosecondsSinceEpoch(*attributes->addedDate) != entry.changeTimeNs)
        return Result<FileDescriptor>::failure(ENOENT);
    return files;
}

} // namespace

Outcome restoreFromTrash(const TrashEntry& entry)
{
    auto files = filesHolding(entry);
    if (!files)
        return files.error();
    auto original = recordedPath(entry);
    if (!original)
        return original.error();
    auto folder = folderFor(*original);
    if (!folder)
        return folder.error();
    // One step that refuses to replace anything: a check first and a rename after could overwrite
    // what appeared in between.
    if (::renameat2(files->get(), entry.name.c_str(), folder->get(), original->filename().c_str(), RENAME_NOREPLACE) != 0)
        return lastError();
    ::unlink(recordOf(entry).c_str());
    forgetDirectorySizes({entry.trash / "files" / entry.name});
    return success();
}

bool isStillTrashed(const TrashEntry& entry)
{
    return filesHolding(entry).ok() && ::access(recordOf(entry).c_str(), F_OK) == 0;
}

} // namespace platform
