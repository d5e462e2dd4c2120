#pragma once

#include "cli/Command.h"

// `quillo size [--json] PATH...`: the space each path occupies on disk, as BYTES<TAB>PATH lines.
extern const Command sizeCommand;
