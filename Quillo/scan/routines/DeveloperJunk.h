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
// With the Linux places (WellKnownFolders::linuxPlaces) also the caches of Linux's tools (pip,
// Cargo, Go, Maven, the editors, ...), the recommended ones tagged `rebuildable` and the others
// `review`, and the build folders of the user's projects that carry a cache tag (BuildFolders.h),
// shown but not recommended: finding those takes the first half of the progress. A folder that
// cannot be listed adds nothing; `accessDenied` is never set.
// Precondition: called from a scan's own thread, outside the work pool.
CategoryResult developerJunk(const ProgressSink& progress);

// Whether `location` is, or holds, one of the tool caches `developerJunk` offers. System Junk
// leaves such entries of the caches folder to it, so that a Smart Scan counts nothing twice.
bool holdsDeveloperCache(const std::filesystem::path& location);

} // namespace DiskScanner
