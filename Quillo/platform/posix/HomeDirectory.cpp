#include "platform/HomeDirectory.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace platform {

namespace {

// "/home/u/" and "/home/u" name the same folder; paths made from it must not differ.
std::filesystem::path normalized(const char* path)
{
    auto result = std::filesystem::path(path).lexically_normal();
    if (!result.has_filename() && result != result.root_path())
        result = result.parent_path();
    return result;
}

} // namespace

std::filesystem::path homeDirectory()
{
    if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        return normalized(home);
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
        return normalized(found->pw_dir);
    return "/";
}

} // namespace platform
