#include "platform/PathPatterns.h"

#include <fnmatch.h>

#include <algorithm>
#include <stop_token>

#include "platform/DirectoryListing.h"
#include "platform/FileAttributes.h"
#include "platform/TreeWalk.h"

namespace platform {

namespace {

constexpr std::string_view patternCharacters = "*?[\\";

std::string expandedHome(const std::string& entry, const std::filesystem::path& home)
{
    if (entry == "~")
        return home.string();
    if (entry.starts_with("~/"))
        return (home / entry.substr(2)).string();
    return entry;
}

// The components of an absolute path or pattern, without empty and "." ones.
std::vector<std::string> componentsOf(std::string_view text)
{
    std::vector<std::string> components;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto end = std::min(text.find('/', start), text.size());
        const auto component = text.substr(start, end - start);
        if (!component.empty() && component != ".")
            components.emplace_back(component);
        start = end + 1;
    }
    return components;
}

std::vector<std::string> componentsOf(const std::filesystem::path& path)
{
    return componentsOf(std::string_view(path.native()));
}

bool prefixMatches(const std::vector<NamePattern>& patterns, const std::vector<std::string>& names)
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!patterns[i].matches(names[i]))
            return false;
    }
    return true;
}

// Whether something inside `folder` matches the patterns [next, end) one level each, following no
// link: only folders are entered, as removing `folder` would reach them.
bool existsMatching(const std::filesystem::path& folder, std::vector<NamePattern>::const_iterator next,
                    std::vector<NamePattern>::const_iterator end)
{
    const bool last = next + 1 == end;
    auto lookAt = [&](const std::filesystem::path& found) {
        if (last)
            return true;
        auto attributes = readAttributes(found, AttributeKey::type);
        return attributes && attributes->isDirectory() && existsMatching(found, next + 1, end);
    };
    if (next->isLiteral()) {
        const auto found = folder / next->text();
        return readAttributes(found, AttributeKey::type).ok() && lookAt(found);
    }
    auto listing = listDirectory(folder);
    if (!listing)
        return false;
    return std::ranges::any_of(*listing,
                               [&](const DirectoryEntry& entry) { return next->matches(entry.name) && lookAt(entry.path); });
}

} // namespace

PathPatterns::PathPatterns(const std::vector<std::string>& entries, const std::filesystem::path& home)
{
    for (const auto& given : entries) {
        std::string entry = expandedHome(given, home);
        while (entry.size() > 1 && entry.back() == '/')
            entry.pop_back();
        if (entry.empty())
            continue;
        if (entry.find('/') == std::string::npos) {
            addNamePattern(NamePattern(entry));
        } else if (entry.front() == '/') {
            auto components = componentsOf(std::string_view(entry));
            std::string pattern;
            std::vector<NamePattern> compiled;
            for (const auto& component : components) {
                pattern += "/" + component;
                compiled.emplace_back(component);
            }
            paths_.push_back({pattern.empty() ? "/" : pattern, std::move(components), std::move(compiled)});
        }
    }
}

std::string PathPatterns::literal(const std::filesystem::path& path)
{
    std::string escaped;
    for (char c : path.native()) {
        if (patternCharacters.find(c) != std::string_view::npos)
            escaped.push_back('\\');
        escaped.push_back(c);
    }
    return escaped;
}

bool PathPatterns::coversName(std::string_view name) const
{
    if (name.empty())
        return false;
    const auto& endingAlike = namePatternsEndingWith_[static_cast<unsigned char>(name.back())];
    if (endingAlike.empty() && namePatternsEndingFreely_.empty())
        return false;
    const auto bytes = NamePattern::bytesOf(name);
    auto matches = [&](const NamePattern& pattern) { return pattern.matches(name, bytes); };
    return std::ranges::any_of(endingAlike, matches) || std::ranges::any_of(namePatternsEndingFreely_, matches);
}

void PathPatterns::addNamePattern(NamePattern pattern)
{
    if (const auto last = pattern.lastByte())
        namePatternsEndingWith_[*last].push_back(std::move(pattern));
    else
        namePatternsEndingFreely_.push_back(std::move(pattern));
    ++namePatternCount_;
}

bool PathPatterns::covers(const std::filesystem::path& path) const
{
    const std::string& text = path.native();
    for (const PathEntry& entry : paths_) {
        // FNM_LEADING_DIR: what lies inside a match is covered with it.
        if (entry.components.empty() || ::fnmatch(entry.pattern.c_str(), text.c_str(), FNM_PATHNAME | FNM_LEADING_DIR) == 0)
            return true;
    }
    if (!hasNames())
        return false;
    return std::ranges::any_of(componentsOf(path), [&](const std::string& name) { return coversName(name); });
}

bool PathPatterns::coversSomethingInside(const std::filesystem::path& folder) const
{
    const auto names = componentsOf(folder);
    for (const PathEntry& entry : paths_) {
        if (entry.components.size() > names.size() && prefixMatches(entry.compiled, names) &&
            existsMatching(folder, entry.compiled.begin() + static_cast<std::ptrdiff_t>(names.size()),
                           entry.compiled.end()))
            return true;
    }
    return hasNames() && namedSomethingInside(folder);
}

bool PathPatterns::namedSomethingInside(const std::filesystem::path& folder) const
{
    auto type = readAttributes(folder, AttributeKey::type);
    if (!type || !type->isDirectory())
        return false;
    std::stop_source found;
    auto visit = [&](const WalkEntry& entry) {
        if (coversName(entry.name())) {
            found.request_stop();
            return WalkDecision::skipDescendants;
        }
        return WalkDecision::descend;
    };
    walkTree(folder, WalkOptions{.stayOnFileSystem = true}, visit, found.get_token());
    return found.stop_requested();
}

PathPatterns::BelowRoot PathPatterns::below(const std::filesystem::path& root) const
{
    BelowRoot below;
    below.patterns_ = this;
    below.coversRoot_ = covers(root);
    const auto names = componentsOf(root);
    for (const PathEntry& entry : paths_) {
        if (entry.components.size() <= names.size() || !prefixMatches(entry.compiled, names))
            continue;
        const std::size_t depth = entry.components.size() - names.size() - 1;
        if (below.byDepth_.size() <= depth)
            below.byDepth_.resize(depth + 1);
        below.byDepth_[depth].push_back(&entry);
    }
    return below;
}

bool PathPatterns::BelowRoot::wholeMatches(const PathEntry& entry, const std::filesystem::path& path)
{
    return ::fnmatch(entry.pattern.c_str(), path.c_str(), FNM_PATHNAME) == 0;
}

} // namespace platform
