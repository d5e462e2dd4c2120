#include "platform/Trash.h"

#include <unistd.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include <gio/gio.h>

#include "platform/FileContents.h"
#include "platform/HomeDirectory.h"
#include "platform/RemovalGuard.h"
#include "platform/TrashFolders.h"
#include "platform/WellKnownFolders.h"

namespace platform {

namespace {

// One line per trashed folder, a few dozen bytes each: far more than any real Trash holds.
constexpr std::size_t maxDirectorySizesBytes = 16 * 1024 * 1024;

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

// A line of directorysizes is "SIZE MTIME NAME", the name percent-encoded like the Path key of a
// .trashinfo file. The decoded name; empty for a malformed line.
std::string entryNamed(std::string_view line)
{
    const auto sizeEnd = line.find(' ');
    const auto timeEnd = sizeEnd == std::string_view::npos ? sizeEnd : line.find(' ', sizeEnd + 1);
    if (timeEnd == std::string_view::npos)
        return {};
    const std::string encoded(line.substr(timeEnd + 1));
    g_autofree char* decoded = g_uri_unescape_string(encoded.c_str(), nullptr);
    return decoded ? decoded : encoded;
}

// The cache of folder sizes the file managers keep: an entry for a deleted folder would only make
// the Trash look larger than it is. Rewritten in one go, so that emptying a Trash of thousands of
// folders does not rewrite and sync the file thousands of times.
void dropDirectorySizes(const std::filesystem::path& trash, const std::set<std::string>& names)
{
    const auto sizesPath = trash / "directorysizes";
    const auto contents = readFileContents(sizesPath, maxDirectorySizesBytes);
    if (!contents)
        return;
    std::string kept;
    bool dropped = false;
    for (std::size_t start = 0; start < contents->size();) {
        const auto end = std::min(contents->find('\n', start), contents->size());
        const std::string_view line(contents->data() + start, end - start);
        start = end + 1;
        if (!line.empty() && names.contains(entryNamed(line)))
            dropped = true;
        else
            kept.append(line).push_back('\n');
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
    // GIO writes into the home trash wherever its folders lead. Checked for every item, also one
    // bound for another volume's trash: a linked home trash is a mistake or a trap, and a failed
    // item costs little.
    if (auto usable = checkTrashFolders(WellKnownFolders::trashFiles(homeDirectory()).parent_path()); !usable)
        return usable;
    g_autoptr(GFile) file = g_file_new_for_path(path.c_str());
    g_autoptr(GError) error = nullptr;
    if (!g_file_trash(file, nullptr, &error))
        return errorCodeOf(error);
    return success();
}

void forgetTrashedItem(const std::filesystem::path& path)
{
    const auto trash = trashHolding(path);
    if (!trash || !checkTrashFolders(*trash))
        return;
    ::unlink((*trash / "info" / (path.filename().string() + ".trashinfo")).c_str());
}

void forgetDirectorySizes(const std::vector<std::filesystem::path>& entries)
{
    std::map<std::filesystem::path, std::set<std::string>> namesByTrash;
    for (const auto& entry : entries) {
        if (auto trash = trashHolding(entry))
            namesByTrash[*trash].insert(entry.filename().string());
    }
    for (const auto& [trash, names] : namesByTrash) {
        if (checkTrashFolders(trash))
            dropDirectorySizes(trash, names);
    }
}

} // namespace platform
