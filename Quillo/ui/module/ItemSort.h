#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

#include "records/ScanItem.h"

// The orders a result list can be read in: largest first, oldest first, by name.
enum class ItemSort { size, date, name };

inline constexpr std::array<ItemSort, 3> allItemSorts{ItemSort::size, ItemSort::date, ItemSort::name};

// The positions of `items` in the order `sort` asks for. Stable: items that compare equal keep
// their order in `items`. By date, items without one come last; by name, the comparison is the
// locale's, case-insensitive, with runs of digits compared as numbers ("file 9" before "file 10").
std::vector<std::size_t> sortedOrder(std::span<const ScanItem> items, ItemSort sort);
