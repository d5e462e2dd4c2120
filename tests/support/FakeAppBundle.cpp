#include "support/FakeAppBundle.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <stdexcept>
#include <string>

#include "support/TempTree.h"

std::filesystem::path makeAppBundle(const std::filesystem::path& location, std::string_view identifier,
                                    PlistFormat format, std::int64_t executableSize)
{
    const std::string name = location.stem().string();
    PlistDictionary info;
    info.text("CFBundleIdentifier", identifier).text("CFBundleExecutable", name).text("CFBundleName", name);
    info.write(location / "Contents/Info.plist", format);
    writeFile(location / "Contents/MacOS" / name, std::string(static_cast<std::size_t>(executableSize), 'x'));
    return location;
}

void setAccessTime(const std::filesystem::path& file, std::int64_t secondsSinceEpoch)
{
    const struct timespec times[2] = {{secondsSinceEpoch, 0}, {0, UTIME_OMIT}};
    if (::utimensat(AT_FDCWD, file.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0)
        throw std::runtime_error("utimensat failed");
}
