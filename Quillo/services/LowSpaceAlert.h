#pragma once

#include <cstdint>
#include <functional>

#include "platform/desktop/DesktopNotifier.h"
#include "services/StorageInfo.h"

class Preferences;

// One notification, at most once a day and only while the user leaves it on, when the volume of
// the home folder is almost full.
namespace LowSpaceAlert {

// More than this fraction used counts as almost full...
inline constexpr double almostFullUsedFraction = 0.9;
// ...and so does less than this many bytes free.
inline constexpr std::int64_t almostFullFreeBytes = 10'000'000'000;
// More than this must have passed since the last alert.
inline constexpr double secondsBetweenAlerts = 86'400;
inline constexpr const char* notificationIdentifier = "low-space";

// Whether a volume with these figures counts as almost full; a zero total never does, and more
// available than total counts as nothing used.
bool isAlmostFull(std::int64_t total, std::int64_t available);

// The notification that tells how much space is left.
platform::Notification notification(std::int64_t available);

// What the check reads and acts through, so that it can run without a desktop.
struct Services {
    Preferences& preferences;
    // Seconds since 1 January 1970.
    double now = 0;
    // Shows the notification; whatever happens there (no service, a refusal) is not reported back.
    std::function<void(const platform::Notification&)> post;
};

// Posts the notification when the alerts are on, `storage` is almost full and more than a day
// passed since the last alert. The alert's time is written before it is posted, so an alert that
// is refused or fails still counts as the day's.
void checkIfNeeded(const StorageInfo& storage, const Services& services);

// The same with the user's preferences, the system clock and the session's notification
// service. Returns at once; call it on the GUI thread.
void checkIfNeeded(const StorageInfo& storage);

} // namespace LowSpaceAlert
