#pragma once

#include "cli/Command.h"

// `quillo keep add|remove|list [PATH]...`: the keep list, what no scan offers and no clean removes.
extern const Command keepCommand;
