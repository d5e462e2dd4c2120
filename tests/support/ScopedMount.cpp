#include "support/ScopedMount.h"

#include <sys/mount.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

int errorOf(int result) { return result == 0 ? 0 : errno; }

} // namespace

ScopedMount ScopedMount::tmpfs(const std::filesystem::path& folder)
{
    return {folder, errorOf(::mount("quillo-test", folder.c_str(), "tmpfs", 0, "size=16m"))};
}

ScopedMount ScopedMount::ext4(const std::filesystem::path& image, const std::filesystem::path& folder)
{
    const std::string made = "truncate -s 16M '" + image.string() + "' && mkfs.ext4 -q -F '" + image.string() +
                             "' >/dev/null 2>&1 && mount -o loop '" + image.string() + "' '" + folder.string() +
                             "' >/dev/null 2>&1";
    return {folder, std::system(made.c_str()) == 0 ? 0 : ENODEV};
}

ScopedMount ScopedMount::bind(const std::filesystem::path& source, const std::filesystem::path& folder)
{
    return {folder, errorOf(::mount(source.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr))};
}

ScopedMount::ScopedMount(const std::filesystem::path& folder, int error)
{
    if (error == 0)
        folder_ = folder;
    else
        why_ = "cannot mount on " + folder.string() + ": " + std::strerror(error);
}

ScopedMount::ScopedMount(ScopedMount&& other) noexcept
    : folder_(std::exchange(other.folder_, {})), why_(std::move(other.why_))
{
}

ScopedMount::~ScopedMount()
{
    // Detached, so that a test that failed with something still open below does not leave the
    // mount behind.
    if (ok())
        ::umount2(folder_.c_str(), MNT_DETACH);
}
