#include "platform/LastUsedDate.h"

#include "platform/FileAttributes.h"

namespace platform {

OptionalTime lastUsedDate(const AppBundle& bundle)
{
    const auto executable = bundle.executable();
    if (!executable)
        return std::nullopt;
    auto attributes = readAttributes(*executable, AttributeKey::accessDate);
    if (!attributes || !attributes->isRegularFile())
        return std::nullopt;
    return attributes->accessDate;
}

} // namespace platform
