#include "platform/AppBundle.h"

#include "platform/PropertyList.h"

namespace platform {

namespace {

bool isPlainFileName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

} // namespace

std::optional<std::filesystem::path> AppBundle::executable() const
{
    if (!executableName)
        return std::nullopt;
    return location / "Contents/MacOS" / *executableName;
}

Result<AppBundle> openAppBundle(const std::filesystem::path& location)
{
    auto info = PropertyListDictionary::read(location / "Contents/Info.plist");
    if (!info)
        return info.error();
    auto identifier = info->string("CFBundleIdentifier");
    if (!identifier || identifier->empty())
        return Result<AppBundle>::failure(ENODATA);
    auto executableName = info->string("CFBundleExecutable");
    if (executableName && !isPlainFileName(*executableName))
        executableName.reset();
    return AppBundle{location, std::move(*identifier), std::move(executableName)};
}

} // namespace platform
