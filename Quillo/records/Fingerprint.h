#pragma once

#include <cstdint>
#include <optional>

#include "records/Date.h"
#include "records/Hasher.h"

// What a scan saw of an item's own location, so that a removal long after can tell the item is
// still the one the user reviewed. The identity (device, inode) holds for anything; a regular
// file also keeps its length and modification time, which a rewrite in place changes. Folders
// keep neither: their contents change by nature and are not what was reviewed one by one.
struct Fingerprint {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    // Regular files only.
    std::optional<std::int64_t> length;
    OptionalDate modificationDate;

    bool operator==(const Fingerprint&) const = default;
};

template <>
struct std::hash<Fingerprint> {
    std::size_t operator()(const Fingerprint& fingerprint) const noexcept
    {
        Hasher hasher;
        hasher.combine(fingerprint.device);
        hasher.combine(fingerprint.inode);
        hasher.combine(fingerprint.length);
        hasher.combine(fingerprint.modificationDate);
        return hasher.value();
    }
};
