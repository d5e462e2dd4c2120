#pragma once

#include <cstddef>

// A check box's state; `mixed` stands for some but not all items selected.
enum class CheckState { off, on, mixed };

// The select-all box over `total` items of which `selected` are ticked: empty with none (or no
// items at all), ticked with all, a dash in between.
CheckState checkState(std::size_t selected, std::size_t total);
