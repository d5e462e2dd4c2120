#pragma once

#include "records/CategoryResult.h"
#include "scan/ProgressSink.h"

namespace DiskScanner {

// Every visible entry of the user's caches and logs folders, named after the application it
// belongs to. Caches that system services keep state in and Quillo's own cache are left out;
// Apple's caches ("com.apple." but not the development environment's) are offered tagged
// `system` and not recommended, every other entry `rebuildable` and recommended.
// With the Linux places (WellKnownFolders::linuxPlaces) also every visible entry of the caches
// folder of a Linux home, but what is no cache and what Developer Junk offers, the desktop's own
// caches tagged `system` and not recommended (platform/DesktopCaches.h); the cache of each
// Flatpak and Snap application, carrying the application's id; and the X server's logs. Folders
// are named after their applications' desktop entries where no installed bundle owns them.
// A folder that cannot be listed adds nothing; `accessDenied` is never set.
CategoryResult systemJunk(const ProgressSink& progress);

} // namespace DiskScanner
