#pragma once

#include <filesystem>
#include <string>

// A file system mounted on a folder for one test, taken off again when dropped (declare it after
// the TempTree that holds the folder). Mounting needs root's right to (the test programs keep
// it); where it is not permitted, ok() is false and why() tells, so that the test can skip.
class ScopedMount {
public:
    // A fresh, empty tmpfs.
    static ScopedMount tmpfs(const std::filesystem::path& folder);
    // A fresh ext4 file system in the image file `image` (made here), mounted through a loop
    // device: for what GIO refuses on a tmpfs, such as trashing. Needs mkfs.ext4 and loop devices.
    static ScopedMount ext4(const std::filesystem::path& image, const std::filesystem::path& folder);
    // `source` seen a second time at `folder`: the same file system, so no change of device.
    static ScopedMount bind(const std::filesystem::path& source, const std::filesystem::path& folder);

    ScopedMount(ScopedMount&& other) noexcept;
    ScopedMount& operator=(ScopedMount&&) = delete;
    ~ScopedMount();

    bool ok() const { return !folder_.empty(); }
    const std::string& why() const { return why_; }

private:
    ScopedMount(const std::filesystem::path& folder, int error);

    std::filesystem::path folder_;
    std::string why_;
};
