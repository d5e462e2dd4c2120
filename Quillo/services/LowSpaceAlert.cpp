#include "services/LowSpaceAlert.h"

#include <algorithm>
#include <chrono>

#include "foundation/ByteFormat.h"
#include "foundation/Preferences.h"
#include "platform/PlatformWords.h"
#include "records/PreferenceKeys.h"

namespace LowSpaceAlert {

namespace {

// A last-alert time that is not a time, or lies ahead of now, was not written by an alert that
// happened: kept, it would silence the alert until that time came, possibly for ever.
double lastAlertTime(const Preferences& preferences, double now)
{
    const double last = preferences.doubleValue(PreferenceKeys::lastLowSpaceAlert).value_or(0);
    return last > now ? 0 : last;
}

double secondsSinceEpoch()
{
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

} // namespace

bool isAlmostFull(std::int64_t total, std::int64_t available)
{
    if (total < 1)
        return false;
    const double used = std::max<double>(static_cast<double>(total) - static_cast<double>(available), 0);
    return used / static_cast<double>(total) > almostFullUsedFraction || available < almostFullFreeBytes;
}

platform::Notification notification(std::int64_t available)
{
    const std::string_view title = platform::platformWords().computerIsAlmostFull;
    return {notificationIdentifier, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
            "Only " + ByteFormat::string(available, ByteFormat::Style::file) + " left. Open Quillo to make some room."};
}

void checkIfNeeded(const StorageInfo& storage, const Services& services)
{
    if (!services.preferences.boolValue(PreferenceKeys::lowSpaceAlerts).value_or(true))
        return;
    if (!isAlmostFull(storage.total, storage.available))
        return;
    if (services.now - lastAlertTime(services.preferences, services.now) <= secondsBetweenAlerts)
        return;
    services.preferences.setDouble(PreferenceKeys::lastLowSpaceAlert, services.now);
    services.post(notification(storage.available));
}

void checkIfNeeded(const StorageInfo& storage)
{
    const Services services{Preferences::standard(), secondsSinceEpoch(),
                            [](const platform::Notification& alert) { platform::DesktopNotifier::session().post(alert); }};
    checkIfNeeded(storage, services);
}

} // namespace LowSpaceAlert
