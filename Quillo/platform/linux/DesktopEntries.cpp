#include "platform/DesktopEntries.h"

#include <set>
#include <string_view>

#include <glib.h>

#include "platform/DirectoryListing.h"
#include "platform/FileContents.h"

namespace platform {

namespace {

// Desktop entries are a few kilobytes; a translated one with every language some tens.
constexpr std::size_t maxEntryBytes = 1024 * 1024;
// Menus nest entries a level or two deep ("applications/kde/okular.desktop"); deeper is a mistake.
constexpr int maxEntryDepth = 4;

std::optional<std::string> stringValue(GKeyFile* keys, const char* key)
{
    g_autofree char* value = g_key_file_get_string(keys, G_KEY_FILE_DESKTOP_GROUP, key, nullptr);
    if (!value || !*value)
        return std::nullopt;
    return std::string(value);
}

bool isVariableSetting(std::string_view word) { return word.find('=') != std::string_view::npos && word[0] != '='; }

// The program of an `Exec` line, quoted as the specification says (a shell's quoting, less its
// expansions, which GLib's parser does not make either).
std::optional<std::filesystem::path> programOf(const std::string& exec)
{
    g_auto(GStrv) words = nullptr;
    if (!g_shell_parse_argv(exec.c_str(), nullptr, &words, nullptr))
        return std::nullopt;
    std::size_t first = 0;
    if (words[first] && std::string_view(words[first]) == "env") {
        ++first;
        while (words[first] && isVariableSetting(words[first]))
            ++first;
    }
    if (!words[first])
        return std::nullopt;
    std::filesystem::path program(words[first]);
    if (program.filename().empty())
        return std::nullopt;
    return program;
}

// The entry in `contents`; nothing for one that is not a visible application.
std::optional<DesktopEntry> parseEntry(const std::string& contents)
{
    g_autoptr(GKeyFile) keys = g_key_file_new();
    if (!g_key_file_load_from_data(keys, contents.data(), contents.size(), G_KEY_FILE_NONE, nullptr))
        return std::nullopt;
    if (stringValue(keys, G_KEY_FILE_DESKTOP_KEY_TYPE) != G_KEY_FILE_DESKTOP_TYPE_APPLICATION ||
        g_key_file_get_boolean(keys, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_HIDDEN, nullptr))
        return std::nullopt;
    g_autofree char* name =
        g_key_file_get_locale_string(keys, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_NAME, nullptr, nullptr);
    if (!name || !*name)
        return std::nullopt;
    DesktopEntry entry;
    entry.name = name;
    entry.startupWMClass = stringValue(keys, G_KEY_FILE_DESKTOP_KEY_STARTUP_WM_CLASS);
    if (auto exec = stringValue(keys, G_KEY_FILE_DESKTOP_KEY_EXEC)) {
        entry.programPath = programOf(*exec);
        if (entry.programPath)
            entry.program = entry.programPath->filename().string();
    }
    entry.icon = stringValue(keys, G_KEY_FILE_DESKTOP_KEY_ICON);
    entry.flatpakID = stringValue(keys, "X-Flatpak");
    return entry;
}

class EntryCollector {
public:
    void collect(const std::filesystem::path& folder, const std::string& idPrefix, int depth)
    {
        auto listing = listDirectory(folder);
        if (!listing)
            return;
        for (const DirectoryEntry& found : *listing) {
            if (found.name.ends_with(".desktop"))
                add(found.path, idPrefix + found.name);
            else if (found.type == FileType::directory && depth < maxEntryDepth && !isHiddenName(found.name))
                collect(found.path, idPrefix + found.name + "-", depth + 1);
        }
    }

    std::vector<DesktopEntry> take() { return std::move(entries_); }

private:
    void add(const std::filesystem::path& file, std::string id)
    {
        // An id once seen is taken, even by an entry left out: that is how a user deletes or
        // replaces one of the system's.
        if (!seen_.insert(id).second)
            return;
        // Flatpak exports its entries as links into the application's files, and distributions
        // link some too: the reader takes the file a link leads to, never a link itself.
        std::error_code error;
        const auto target = std::filesystem::canonical(file, error);
        if (error)
            return;
        auto contents = readFileContents(target, maxEntryBytes);
        if (!contents)
            return;
        auto entry = parseEntry(*contents);
        if (!entry)
            return;
        entry->id = std::move(id);
        entry->file = file;
        entries_.push_back(std::move(*entry));
    }

    std::set<std::string, std::less<>> seen_;
    std::vector<DesktopEntry> entries_;
};

} // namespace

std::vector<DesktopEntry> desktopEntries(const std::vector<std::filesystem::path>& dataFolders)
{
    EntryCollector collector;
    for (const auto& folder : dataFolders)
        collector.collect(folder / "applications", "", 0);
    return collector.take();
}

} // namespace platform
