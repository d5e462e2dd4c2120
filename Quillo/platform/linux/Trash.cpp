#include "platform/Trash.h"

#include <unistd.h>

#include <fstream>
#include <string>

#include <gio/gio.h>

#include "platform/HomeDirectory.h"
#include "platform/RemovalGuard.h"
#include "platform/WellKnownFolders.h"

namespace platform {

namespace {

std::error_code errorCodeOf(const GError* error)
{
    if (error && error->domain == G_IO_ERROR) {
        switch (error->code) {
        case G_IO_ERROR_NOT_FOUND: return std::make_error_code(std::errc::no_such_file_or_directory);
        case G_IO_ERROR_PERMISSION_DENIED: return std::make_error_code(std::errc::permission_denied);
        case G_IO_ERROR_NOT_SUPPORTED: return std::make_error_code(std::errc::not_supported);
        case G_IO_ERROR_NO_SPACE: return std::make_error_code(std::errc::no_space_on_device);
        case G_IO_ERROR_FILENAME_TOO_LONG: return std::make_error_code(std::errc::filename_too_long);
        default: break;
        }
    }
    return std::make_error_code(std::errc::io_error);
}

// The trash folders of the freedesktop.org specification: the home trash, and the top-directory
// trashes `$topdir/.Trash/$uid` and `$topdir/.Trash-$uid` on other volumes.
bool isTrashFolder(const std::filesystem::path& trash)
{
    std::error_code ignored;
    if (std::filesystem::equivalent(trash / "files", WellKnownFolders::trashFiles(homeDirectory()), ignored))
        return true;
    const std::string uid = std::to_string(::getuid());
    return trash.filename() == ".Trash-" + uid ||
           (trash.filename() == uid && trash.parent_path().filename() == ".Trash");
}

// A line of directorysizes is "SIZE MTIME NAME", the name percent-encoded like the Path key of a
// .trashinfo file.
bool namesEntry(const std::string& line, const std::string& name)
{
    const auto sizeEnd = line.find(' ');
    const auto timeEnd = sizeEnd == std::string::npos ? sizeEnd : line.find(' ', sizeEnd + 1);
    if (timeEnd == std::string::npos)
        return false;
    const std::string encoded = line.substr(timeEnd + 1);
    g_autofree char* decoded = g_uri_unescape_string(encoded.c_str(), nullptr);
    return name == (decoded ? decoded : encoded.c_str());
}

// The cache of folder sizes the file managers keep: its entry for a deleted folder would only
// make the Trash look larger than it is.
void dropDirectorySize(const std::filesystem::path& trash, const std::string& name)
{
    const auto sizesPath = trash / "directorysizes";
    std::ifstream in(sizesPath);
    if (!in)
        return;
    std::string kept;
    std::string line;
    bool dropped = false;
    while (std::getline(in, line)) {
        if (namesEntry(line, name))
            dropped = true;
        else
            kept += line + '\n';
    }
    if (dropped)
        g_file_set_contents_full(sizesPath.c_str(), kept.data(), static_cast<gssize>(kept.size()),
                                 G_FILE_SET_CONTENTS_CONSISTENT, 0600, nullptr);
}

} // namespace

Outcome moveToTrash(const std::filesystem::path& path, const RemovalCheck& check)
{
    if (auto target = openRemovalTarget(path, check); !target)
        return target.error();
    g_autoptr(GFile) file = g_file_new_for_path(path.c_str());
    g_autoptr(GError) error = nullptr;
    if (!g_file_trash(file, nullptr, &error))
        return errorCodeOf(error);
    return success();
}

void forgetTrashedItem(const std::filesystem::path& path)
{
    const auto files = path.parent_path();
    if (files.filename() != "files" || !isTrashFolder(files.parent_path()))
        return;
    const auto trash = files.parent_path();
    const std::string name = path.filename().string();
    ::unlink((trash / "info" / (name + ".trashinfo")).c_str());
    dropDirectorySize(trash, name);
}

} // namespace platform
