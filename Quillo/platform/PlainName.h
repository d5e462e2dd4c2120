#pragma once

#include <string_view>

namespace platform {

// Whether `name` names one entry inside a folder: not empty, not "." or "..", and without "/"
// or NUL. Text read from files must pass before it becomes part of a path.
inline bool isPlainName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of({"/\0", 2}) == std::string_view::npos;
}

} // namespace platform
