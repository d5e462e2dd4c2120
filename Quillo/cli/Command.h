#pragma once

#include <string_view>
#include <vector>

#include "records/Module.h"

// One subcommand of the `quillo` command line.
struct Command {
    std::string_view name;
    std::string_view usage;
    // Takes the arguments after the command's name; returns the exit status.
    int (*run)(const std::vector<std::string_view>& arguments);
};

// Exit statuses shared by every command.
namespace ExitStatus {
inline constexpr int success = 0;
inline constexpr int failure = 1;
inline constexpr int usage = 2;
} // namespace ExitStatus
