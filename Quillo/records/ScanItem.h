#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/Date.h"
#include "records/Fingerprint.h"
#include "records/Hasher.h"

// One found file or folder offered for removal. Its identity is its location.
struct ScanItem {
    enum class Tag : std::uint8_t { rebuildable, system, review, installer, archive, old, running, copy };
    // How the item's own location goes: as files (to the Trash, or deleted), or, for an application
    // Flatpak installed, uninstalled through Flatpak, its `url` being the application's folder in
    // the installation, which is never removed as files. Extra locations always go as files.
    enum class Removal : std::uint8_t { files, flatpakUninstall };

    std::filesystem::path url;
    std::string name;
    std::string detail;
    // Bytes on disk of `url` and of every extra location, folders with all their contents.
    std::int64_t size = 0;
    OptionalDate date;
    std::vector<Tag> tags;
    bool isRecommended = false;
    // A file whose icon stands for the item; absent means the icon of `url`.
    std::optional<std::filesystem::path> iconURL;
    // Further locations measured into `size` and removed with the item.
    std::vector<std::filesystem::path> extraURLs;
    std::optional<std::string> bundleID;
    // What the scan saw of `url`; the cleaner refuses an item that no longer matches it. Absent
    // for items no scan looked at.
    std::optional<Fingerprint> fingerprint;
    // For a duplicate: the copy that stays, which the item must still equal byte for byte when
    // it is removed.
    std::optional<std::filesystem::path> originalURL;
    Removal removal = Removal::files;

    const std::filesystem::path& id() const { return url; }

    bool operator==(const ScanItem&) const = default;
};

// The bytes the items take together.
std::int64_t totalSize(std::span<const ScanItem> items);

std::string_view rawValue(ScanItem::Tag tag);
std::optional<ScanItem::Tag> tagFromRawValue(std::string_view rawValue);
std::span<const ScanItem::Tag> allTags();

template <>
struct std::hash<ScanItem::Tag> {
    std::size_t operator()(ScanItem::Tag tag) const noexcept { return std::hash<int>{}(static_cast<int>(tag)); }
};

template <>
struct std::hash<ScanItem> {
    std::size_t operator()(const ScanItem& item) const noexcept
    {
        Hasher hasher;
        hasher.combine(item.url);
        hasher.combine(item.name);
        hasher.combine(item.detail);
        hasher.combine(item.size);
        hasher.combine(item.date);
        hasher.combine(item.tags);
        hasher.combine(item.isRecommended);
        hasher.combine(item.iconURL);
        hasher.combine(item.extraURLs);
        hasher.combine(item.bundleID);
        hasher.combine(item.fingerprint);
        hasher.combine(item.originalURL);
        hasher.combine(item.removal);
        return hasher.value();
    }
};
