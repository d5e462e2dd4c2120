#pragma once

#include "platform/Time.h"
#include "platform/AppBundle.h"

namespace platform {

// When the application was last used. Linux: the access time of its main executable, which
// starting the application updates (at most daily under the usual "relatime" mounts, which is
// enough for telling old apps apart); absent when the bundle names no executable or it cannot
// be read.
OptionalTime lastUsedDate(const AppBundle& bundle);

} // namespace platform
