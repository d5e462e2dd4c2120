#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/AppBundle.h"

namespace platform {

// The bundle identifiers of the applications running now. Linux: those of the `installed`
// bundles whose "Contents/MacOS" folder holds the executable of a running process (read from
// /proc/PID/exe; processes this user may not inspect are left out). A process whose executable
// was replaced on disk since it started still counts.
std::set<std::string, std::less<>> runningApplicationIdentifiers(const std::vector<AppBundle>& installed);

} // namespace platform
