#pragma once

#include <filesystem>
#include <string>

#include "records/CategoryResult.h"
#include "scan/ProgressSink.h"

namespace DiskScanner {

// What development tools leave in the home folder: the development environment's per-project
// build folders (DerivedData) and per-version device support folders, and a fixed list of tool
// caches (simulator caches, preview builds, archives, Gradle, npm, Pub and CocoaPods). Archives,
// Pub packages and CocoaPods specs are offered for review only; everything else is recommended.
// A folder that cannot be listed adds nothing; `accessDenied` is never set.
CategoryResult developerJunk(const ProgressSink& progress);

} // namespace DiskScanner
