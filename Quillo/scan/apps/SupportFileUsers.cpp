#include "scan/apps/SupportFileUsers.h"

#include <algorithm>
#include <array>
#include <optional>

#include "platform/PlainName.h"
#include "scan/Text.h"

namespace DiskScanner {

namespace {

constexpr std::string_view desktopSuffix = ".desktop";
constexpr std::array<std::string_view, 4> pictureExtensions = {".png", ".svg", ".svgz", ".xpm"};

std::optional<std::string_view> withoutPictureExtension(std::string_view name)
{
    for (std::string_view extension : pictureExtensions) {
        if (name.size() > extension.size() && name.ends_with(extension))
            return name.substr(0, name.size() - extension.size());
    }
    return std::nullopt;
}

} // namespace

SupportFileUsers::SupportFileUsers(const std::vector<AppFiles>& apps,
                                   const std::vector<platform::DesktopEntry>& desktopEntries)
{
    for (const AppFiles& app : apps) {
        byIdentifier_.emplace(Text::lowercased(app.identifier), app.location);
        for (const auto& location : app.related)
            byLocation_.emplace(Text::lowercased(location.native()), app.location);
    }
    for (const platform::DesktopEntry& entry : desktopEntries) {
        std::string_view id = entry.id;
        if (id.ends_with(desktopSuffix))
            id.remove_suffix(desktopSuffix.size());
        // Every Flatpak entry runs the program "flatpak", which names no application.
        const std::optional<std::string> program = entry.flatpakID ? std::nullopt : entry.program;
        for (const auto& name : {std::optional<std::string>(id), entry.startupWMClass, program, entry.icon}) {
            if (name && platform::isPlainName(*name))
                entriesByName_.emplace(Text::lowercased(*name), entry.file);
        }
        // An icon named by its path is that very file; paths and names never coincide.
        if (entry.icon && entry.icon->starts_with('/'))
            entriesByName_.emplace(Text::lowercased(std::filesystem::path(*entry.icon).lexically_normal().native()),
                                   entry.file);
    }
}

bool SupportFileUsers::usedByAnother(const std::filesystem::path& app, std::string_view identifier,
                                     const std::filesystem::path& location,
                                     const std::vector<std::filesystem::path>& ownEntries) const
{
    return anyOther(byIdentifier_, Text::lowercased(identifier), app) ||
           anyOther(byLocation_, Text::lowercased(location.native()), app) || namedAfterAnother(location, ownEntries);
}

bool SupportFileUsers::anyOther(const Users& users, const std::string& key, const std::filesystem::path& app)
{
    auto [first, last] = users.equal_range(key);
    return std::any_of(first, last, [&](const auto& user) { return user.second != app; });
}

bool SupportFileUsers::namedAfterAnother(const std::filesystem::path& location,
                                         const std::vector<std::filesystem::path>& ownEntries) const
{
    const std::string name = location.filename().string();
    std::vector<std::string> keys{Text::lowercased(name), Text::lowercased(location.native())};
    if (auto picture = withoutPictureExtension(name))
        keys.push_back(Text::lowercased(*picture));
    return std::ranges::any_of(keys, [&](const std::string& key) {
        auto [first, last] = entriesByName_.equal_range(key);
        return std::any_of(first, last, [&](const auto& entry) {
            return std::ranges::find(ownEntries, entry.second) == ownEntries.end();
        });
    });
}

} // namespace DiskScanner
