#pragma once

#include <optional>
#include <string_view>

#include "records/Module.h"

// The module named on the command line, or, after telling which names are valid, nothing.
std::optional<Module> parseModule(std::string_view name, std::string_view command);
