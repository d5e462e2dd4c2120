#include "services/StorageInfo.h"

#include <algorithm>

#include "platform/HomeDirectory.h"
#include "platform/PlatformWords.h"

StorageInfo StorageInfo::current()
{
    const auto figures = platform::volumeFigures(platform::homeDirectory());
    return fromFigures(figures ? *figures : platform::VolumeFigures{});
}

StorageInfo StorageInfo::fromFigures(const platform::VolumeFigures& figures)
{
    StorageInfo info;
    info.volumeName = figures.name.value_or(std::string(platform::platformWords().startupVolumeFallback));
    info.total = figures.totalCapacity.value_or(0);
    info.available = figures.importantUsageCapacity.value_or(figures.availableCapacity.value_or(0));
    return info;
}

double StorageInfo::usedFraction() const
{
    if (total < 1)
        return 0;
    return double(std::max<std::int64_t>(total - available, 0)) / double(total);
}

bool StorageInfo::isSpaceLow() const
{
    return usedFraction() > 0.9 || available < 10'000'000'000;
}
