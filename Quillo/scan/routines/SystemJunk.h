#pragma once

#include "records/CategoryResult.h"
#include "scan/ProgressSink.h"

namespace DiskScanner {

// Every visible entry of the user's caches and logs folders, named after the application it
// belongs to. Caches that system services keep state in and Quillo's own cache are left out;
// Apple's caches ("com.apple." but not the development environment's) are offered tagged
// `system` and not recommended, every other entry `rebuildable` and recommended. A folder that
// cannot be listed adds nothing; `accessDenied` is never set.
CategoryResult systemJunk(const ProgressSink& progress);

} // namespace DiskScanner
