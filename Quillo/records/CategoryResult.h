#pragma once

#include <vector>

#include "records/ScanItem.h"

// The outcome of scanning one module. An empty list without `accessDenied` means nothing was found.
struct CategoryResult {
    std::vector<ScanItem> items;
    // The system refused access to a location the scan needs; screens explain instead of
    // showing an empty list.
    bool accessDenied = false;

    bool operator==(const CategoryResult&) const = default;
};

template <>
struct std::hash<CategoryResult> {
    std::size_t operator()(const CategoryResult& result) const noexcept
    {
        Hasher hasher;
        hasher.combine(result.items);
        hasher.combine(result.accessDenied);
        return hasher.value();
    }
};
