#pragma once

#include "cli/Command.h"

// `quillo help [COMMAND]`: the program's help, or a command's.
extern const Command helpCommand;
