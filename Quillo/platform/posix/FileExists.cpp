#include "platform/FileExists.h"

#include <sys/stat.h>

namespace platform {

bool fileExists(const std::filesystem::path& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace platform
