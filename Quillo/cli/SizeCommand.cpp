#include "cli/SizeCommand.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/FileAttributes.h"
#include "scan/FileSize.h"

namespace {

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
            std::fprintf(stderr, "quillo size: %s: %s\n", path.c_str(), present.error().message().c_str());
            status = ExitStatus::failure;
            continue;
        }
        std::printf("%lld\t%s\n", static_cast<long long>(FileSize::allocated(path)), path.c_str());
    }
    return status;
}

} // namespace

const Command sizeCommand{"size", "size PATH...", runSize};
