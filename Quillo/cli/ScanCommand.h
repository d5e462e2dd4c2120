#pragma once

#include "cli/Command.h"

// `quillo scan MODULE [--json]`: scans one module through the store and lists what it found.
extern const Command scanCommand;
