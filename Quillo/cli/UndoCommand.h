#pragma once

#include "cli/Command.h"

// `quillo undo [--json]`: puts back what the last clean moved to the Trash.
extern const Command undoCommand;
