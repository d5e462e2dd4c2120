#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "records/CategoryResult.h"
#include "scan/ProgressSink.h"

namespace DiskScanner {

using Extensions = std::set<std::string, std::less<>>;

// File-name extensions (lower case, without the dot) of disk images and installer packages, with
// the Linux places (WellKnownFolders::linuxPlaces) also of Linux's packages and installers.
const Extensions& installerExtensions();
// File-name extensions (lower case, without the dot) of archives, with the Linux places also of
// the compressors common there.
const Extensions& archiveExtensions();

// Every entry of the Downloads folder that is not hidden, folders included, measured, largest
// first, none recommended. Tagged `installer` or `archive` by the last extension of its name
// (ignoring case), with the Linux places `review` for an unfinished download (".part",
// ".crdownload"), then `old` when it came into the folder (failing that, was last modified)
// more than `oldAfterDays` days ago. A refused listing gives `accessDenied`; any other failure,
// an empty result. Reports as `trash` does.
// Precondition: called from a scan's own thread, outside the work pool.
CategoryResult downloads(std::int64_t oldAfterDays, const ProgressSink& progress);

} // namespace DiskScanner
