#pragma once

#include "records/CategoryResult.h"
#include "scan/ProgressSink.h"

namespace DiskScanner {

// Every entry of the user's Trash folder, hidden ones included (the file browser's ".DS_Store"
// left out) and empty ones too, measured, largest first, and all recommended: what is in the
// Trash was already thrown away. A refused listing, or a Trash whose own folders are symbolic
// links, gives `accessDenied`; a missing Trash, an empty result. With the Linux places
// (WellKnownFolders::linuxPlaces) also the entries of the user's trashes on the other mounted file
// systems (platform::topDirectoryTrashes of mountedFileSystems), "In the Trash on " their volume,
// also when the home trash is missing; one that cannot be listed adds nothing. Reports through
// `progress` as `measure` does, or once complete when the home trash's listing is refused.
// Precondition: called from a scan's own thread, outside the work pool.
CategoryResult trash(const ProgressSink& progress);

} // namespace DiskScanner
