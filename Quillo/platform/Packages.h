#pragma once

#include <string_view>

namespace platform {

// Whether a folder of this name is a package: a folder the file browser shows as one file
// (applications, plug-ins, libraries of photos, documents kept as folders). Decided by the
// name's extension, ignoring case. A name that starts with "." has no extension.
bool isPackageName(std::string_view folderName);

} // namespace platform
