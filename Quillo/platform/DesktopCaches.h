#pragma once

#include <string_view>

namespace platform {

// Whether an entry of the user's caches folder (WellKnownFolders::userCaches) belongs to the
// desktop or the graphics stack rather than to an application: font and shader caches, input
// methods, settings and search services, the desktop's own software and menu caches. Such caches
// rebuild themselves but slow the desktop down until they have, so they are worth a look before
// they go. Names are compared exactly, or by their beginning where the system numbers them.
// macOS keeps no such folder.
bool isDesktopCache(std::string_view name);

} // namespace platform
