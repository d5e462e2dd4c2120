#pragma once

#include "records/CategoryResult.h"
#include "scan/ProgressSink.h"

namespace DiskScanner {

// The phone and tablet backups kept in the user's Library, one item per backup folder, named
// after the device with its model and system version as its "Info.plist" describes them
// (binary or XML; an unreadable or malformed one falls back to "Unknown device" and "Device
// backup"). Never recommended; tagged `review`, and `old` when last backed up more than 180
// days ago. A backup folder that cannot be listed gives no items, with `accessDenied` set when
// the system refused access.
CategoryResult iosBackups(const ProgressSink& progress);

} // namespace DiskScanner
