#pragma once

#include <stop_token>
#include <vector>

#include "platform/PathPatterns.h"
#include "records/ScanItem.h"
#include "services/CleanReport.h"

// The only code that removes files.
namespace Cleaner {

// Removes the items one at a time, in the order given: moves each to the Trash, or deletes it for
// good when `permanently`. An item whose own location cannot be removed, or is no longer what
// its scan found (see UnchangedSinceScan.h), fails with its reason and its extra locations are
// left alone; once it went, its extra locations are removed the same way, and a failure among
// them changes nothing in the report. An item to be uninstalled through Flatpak
// (ScanItem::Removal) is handed to Flatpak instead, whatever `permanently` says. Never throws.
//
// Freed is the scanned size of each item that went whole, and what actually went of one that did
// not: a permanent removal that failed midway, or that left a file system mounted below the item
// (with the folders leading to it; the item still counts as removed). In the Trash such an item
// goes entry by entry around its mount points, and counts its size.
//
// `stop` is looked at before each item: the item in hand is always finished, extras included,
// and the items not reached are left where they are, in neither list of the report.
//
// Whatever the caller asks, what `kept` covers stays: an item that is covered, or holds
// something covered, fails with that reason, and such an extra location is left where it is.
//
// Blocks until every item is handled or it stopped: call it off the GUI thread.
CleanReport clean(const std::vector<ScanItem>& items, bool permanently, std::stop_token stop = {},
                  const platform::PathPatterns& kept = {});

} // namespace Cleaner
