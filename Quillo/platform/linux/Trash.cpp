#include "platform/Trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include <gio/gio.h>

#include "platform/DirectoryListing.h"
#include "platform/FileContents.h"
#include "platform/FileDescriptor.h"
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

std::filesystem::path homeTrash() { return WellKnownFolders::trashFiles(homeDirectory()).parent_path(); }

// The trashes GIO may have moved an item of `device` at `original` to: the home trash, then those
// at the top of the item's file system, found as GIO finds it, by going up while the device stays.
std::vector<std::filesystem::path> possibleTrashes(const std::filesystem::path& original, std::uint64_t device)
{
    auto top = original.parent_path();
    for (auto above = top.parent_path(); above != top; above = top.parent_path()) {
        struct stat st {};
        if (::stat(above.c_str(), &st) != 0 || st.st_dev != device)
            break;
        top = above;
    }
    const std::string uid = std::to_string(::getuid());
    return {homeTrash(), top / ".Trash" / uid, top / (".Trash-" + uid)};
}

// GIO does not tell which entry it made, and a name alone may be an older entry's. A move keeps
// the item's identity, so the entry is the one whose files/ entry has it and whose record exists:
// looked for under the item's own name, then under names that start as it does (GIO's unique
// names keep the start, "a.tar.gz" becoming "a.2.tar.gz"), then under any.
std::optional<TrashEntry> findEntry(const std::filesystem::path& trash, const std::filesystem::path& original,
                                    ContentIdentifier identity)
{
    if (!checkTrashFolders(trash))
        return std::nullopt;
    auto files = openDirectory(trash / "files");
    auto info = openDirectory(trash / "info");
    if (!files || !info)
        return std::nullopt;
    auto ours = [&](const std::string& name) -> std::optional<TrashEntry> {
        auto attributes =
            readAttributesAt(files->get(), name.c_str(), AttributeKey::contentIdentifier | AttributeKey::addedDate);
        if (!attributes || attributes->contentIdentifier != identity || !attributes->addedDate ||
            ::faccessat(info->get(), (name + ".trashinfo").c_str(), F_OK, AT_SYMLINK_NOFOLLOW) != 0)
            return std::nullopt;
        return TrashEntry{trash, name, original, identity, nanosecondsSinceEpoch(*attributes->addedDate)};
    };
    const std::string name = original.filename().string();
    if (auto entry = ours(name))
        return entry;
    auto listing = listDirectory(trash / "files");
    if (!listing)
        return std::nullopt;
    const std::string start = name.substr(0, name.find('.'));
    for (bool alike : {true, false}) {
        for (const auto& listed : *listing) {
            if (listed.name.starts_with(start) != alike)
                continue;
            if (auto entry = ours(listed.name))
                return entry;
        }
    }
    return std::nullopt;
}

} // namespace

Result<std::optional<TrashEntry>> moveToTrash(const std::filesystem::path& path, const RemovalCheck& check)
{
    auto target = openRemovalTarget(path, check);
    if (!target)
        return target.error();
    // GIO writes into the home trash wherever its folders lead. Checked for every item, also one
    // bound for another volume's trash: a linked home trash is a mistake or a trap, and a failed
    // item costs little.
    if (auto usable = checkTrashFolders(homeTrash()); !usable)
        return usable.error();
    g_autoptr(GFile) file = g_file_new_for_path(path.c_str());
    g_autoptr(GError) error = nullptr;
    if (!g_file_trash(file, nullptr, &error))
        return errorCodeOf(error);
    std::error_code ignored;
    auto original = std::filesystem::absolute(path, ignored).lexically_normal();
    if (!original.has_filename())
        original = original.parent_path();
    for (const auto& trash : possibleTrashes(original, target->identity.device)) {
        if (auto entry = findEntry(trash, original, target->identity))
            return std::optional(std::move(*entry));
    }
    return std::optional<TrashEntry>();
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
