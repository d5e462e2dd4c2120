#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "records/CategoryResult.h"
#include "scan/ProgressSink.h"

namespace DiskScanner {

// Support files in the user's Library of applications that are no longer installed: every entry
// of the support folders whose name carries a bundle identifier, unless an installed application
// (the system's included) has that identifier or the same vendor, or the identifier is Apple's.
// One item per identifier (spelled as found, so case tells groups apart) holding all its
// locations, named after the identifier, tagged for review and never recommended; measured and
// reported as `measure` does. `accessDenied` is never set.
//
// Linux: also the entries of Flatpak's application data ("~/.var/app") and of the user's
// settings, data and caches folders whose names carry an identifier; the ids of the Flatpak
// applications and of every desktop entry (less ".desktop") count as installed identifiers, so
// any installed "org.gnome." application protects every "org.gnome." folder.
// Precondition: called from a scan's own thread, outside the work pool.
CategoryResult leftovers(const ProgressSink& progress);

} // namespace DiskScanner
