#pragma once

#include <vector>

#include "core/records/ScanItem.h"
#include "system/CleanReport.h"

// The only code that removes files.
namespace Cleaner {

// Removes the items one at a time, in the order given: moves each to the Trash, or deletes it for
// good when `permanently`. An item whose own location cannot be removed, or is no longer what
// its scan found (see UnchangedSinceScan.h), fails with its reason and its extra locations are
// left alone; once it went, its extra locations are removed the same way, and a failure among
// them changes nothing in the report. Never throws.
//
// Blocks until every item is handled: call it off the GUI thread.
CleanReport clean(const std::vector<ScanItem>& items, bool permanently);

} // namespace Cleaner
