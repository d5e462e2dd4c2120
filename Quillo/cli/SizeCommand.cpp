#include "cli/SizeCommand.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/FileAttributes.h"
#include "scan/FileSize.h"

namespace {

// The folders a measurement could not read, gathered from the walk's threads.
class UnreadableFolders {
public:
    void add(const std::filesystem::path& folder, std::error_code error)
    {
        const std::lock_guard lock(mutex_);
        found_.emplace_back(folder, error);
    }

    // One line each, in path order, as du says it; whether there were any.
    bool print()
    {
        std::ranges::sort(found_);
        for (const auto& [folder, error] : found_)
            std::fprintf(stderr, "quillo size: cannot read '%s': %s\n", folder.c_str(), error.message().c_str());
        return !found_.empty();
    }

private:
    std::mutex mutex_;
    std::vector<std::pair<std::filesystem::path, std::error_code>> found_;
};

int runSize(const std::vector<std::string_view>& arguments)
{
    if (arguments.empty()) {
        std::fprintf(stderr, "quillo size: missing PATH\nusage: quillo %.*s\n", static_cast<int>(sizeCommand.usage.size()),
                     sizeCommand.usage.data());
        return ExitStatus::usage;
    }
    int status = ExitStatus::success;
    for (std::string_view argument : arguments) {
        const std::filesystem::path path{std::string(argument)};
        // Measuring never fails (what cannot be read counts as 0), but a path that is not there
        // at all is a mistake worth telling apart from an empty folder.
        if (auto present = platform::readAttributes(path, platform::AttributeKey::type); !present) {
            std::fprintf(stderr, "quillo size: cannot access '%s': %s\n", path.c_str(),
                         present.error().message().c_str());
            status = ExitStatus::failure;
            continue;
        }
        // A total that left folders out is still printed, but not passed off as complete.
        UnreadableFolders unreadable;
        auto report = [&](const std::filesystem::path& folder, std::error_code error) { unreadable.add(folder, error); };
        const std::int64_t bytes = FileSize::allocated(path, {}, report);
        if (unreadable.print())
            status = ExitStatus::failure;
        std::printf("%lld\t%s\n", static_cast<long long>(bytes), path.c_str());
    }
    return status;
}

} // namespace

const Command sizeCommand{"size", "size PATH...", runSize};
