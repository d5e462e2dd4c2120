#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/NamePattern.h"

namespace platform {

// What to leave alone, as paths and shell patterns matched with fnmatch(3) the way the shell
// matches file names: "*", "?" and "[...]" stand for characters within one path component and
// never for a "/"; a backslash takes the next character literally. A name starting with "." is
// matched by "*" like any other.
//
// An entry with a "/" is a path or a pattern of paths ("/home/ann/Projects/*/build"), where a
// leading "~" stands for the home folder; it covers what it matches and everything inside that.
// An entry without one is a pattern of names ("*.iso", "node_modules"): it covers every entry of
// such a name wherever it lies, and everything inside it. A relative entry with a "/" covers
// nothing: whoever takes it from a user makes it absolute first.
class PathPatterns {
public:
    PathPatterns() = default;
    PathPatterns(const std::vector<std::string>& entries, const std::filesystem::path& home);

    // An entry that matches `path` and nothing else: its pattern characters escaped.
    static std::string literal(const std::filesystem::path& path);

    bool empty() const { return paths_.empty() && !hasNames(); }

    // Whether the absolute `path` is covered: matched by a path entry or lying inside something
    // that is, or named as a name entry says, or lying inside a folder so named.
    bool covers(const std::filesystem::path& path) const;

    // Whether anything covered lies inside the folder `folder` now, so that removing the folder
    // whole would take it too. Looks only where path entries lead, except that name entries make
    // it walk the whole folder (on its own file system, never through a link).
    bool coversSomethingInside(const std::filesystem::path& folder) const;

    class BelowRoot;
    // The entries that bear on a walk from the absolute folder `root`, ready to test its entries
    // by their names.
    BelowRoot below(const std::filesystem::path& root) const;

private:
    struct PathEntry {
        std::string pattern;
        std::vector<std::string> components;
        std::vector<NamePattern> compiled;
    };

    bool hasNames() const { return namePatternCount_ > 0; }
    // `name` is NUL-terminated.
    bool coversName(std::string_view name) const;
    void addNamePattern(NamePattern pattern);
    bool namedSomethingInside(const std::filesystem::path& folder) const;

    std::vector<PathEntry> paths_;
    // Every entry a walk meets is tested against every name entry, so those are kept by the byte
    // their matches end with: a name is tested only against the few that may match it.
    std::array<std::vector<NamePattern>, 256> namePatternsEndingWith_;
    std::vector<NamePattern> namePatternsEndingFreely_;
    std::size_t namePatternCount_ = 0;
};

// A walk's view of the entries: a path entry bears on one depth below the root only, so an entry
// met there is first tested by its name and its path is built only when that matches.
class PathPatterns::BelowRoot {
public:
    // Whether the root itself is covered, and with it everything the walk would meet.
    bool coversRoot() const { return coversRoot_; }
    // Whether nothing below the root can be covered.
    bool empty() const { return !coversRoot_ && byDepth_.empty() && !patterns_->hasNames(); }

    // Whether the entry `name` (NUL-terminated, as a listing holds it) is covered, at `depth` below
    // the root (0 for the root's own entries); `pathOf()` gives its whole path, asked only when its
    // name matches.
    template <class PathOf>
    bool covers(std::string_view name, std::uint32_t depth, const PathOf& pathOf) const
    {
        if (patterns_->coversName(name))
            return true;
        if (depth >= byDepth_.size())
            return false;
        for (const PathEntry* entry : byDepth_[depth]) {
            if (entry->compiled.back().matches(name) && wholeMatches(*entry, pathOf()))
                return true;
        }
        return false;
    }

private:
    friend class PathPatterns;

    static bool wholeMatches(const PathEntry& entry, const std::filesystem::path& path);

    const PathPatterns* patterns_ = nullptr;
    bool coversRoot_ = false;
    std::vector<std::vector<const PathEntry*>> byDepth_;
};

} // namespace platform
