#pragma once

#include "cli/Command.h"

// `quillo clean [OPTION]... MODULE`: scans, ticks the recommended items (or exactly the named
// ones), confirms, and cleans them through the store.
extern const Command cleanCommand;
