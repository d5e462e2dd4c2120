#include "services/SystemAccess.h"

#include "platform/FullDiskAccess.h"
#include "platform/desktop/SystemSettings.h"

namespace SystemAccess {

bool hasFullDiskAccess() { return platform::hasFullDiskAccess(); }

void openSettings(const QString& url) { platform::openSystemSettings(url); }

} // namespace SystemAccess
