#pragma once

#include "cli/Command.h"

// `quillo scan [--json] MODULE`: scans one module through the store and lists what it found.
extern const Command scanCommand;
