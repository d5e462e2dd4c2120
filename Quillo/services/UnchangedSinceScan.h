#pragma once

#include <system_error>

#include "records/ScanItem.h"
#include "platform/RemovalGuard.h"

namespace Cleaner {

// The error of an item that is no longer what the scan found; its message says so.
std::error_code changedSinceScan();

// The last look at an item's own location before it goes, on what is about to be removed: it
// must still be what the scan saw (the same identity and, for a file, length and modification
// time), and a duplicate must still equal the copy that stays, byte for byte. What an item does
// not record (no scan looked at it) is not checked.
platform::RemovalCheck unchangedSinceScan(const ScanItem& item);

// The same look for an item that goes other than as files (ScanItem::Removal): its own location
// must still be the entry the scan saw, by identity. What the item does not record passes.
platform::Outcome stillTheScannedEntry(const ScanItem& item);

} // namespace Cleaner
