#include "cli/ModulesCommand.h"

#include <cstdio>
#include <string>

namespace {

int runModules(const std::vector<std::string_view>& arguments)
{
    if (!arguments.empty()) {
        std::fprintf(stderr, "quillo modules: takes no arguments\n");
        return ExitStatus::usage;
    }
    for (Module module : Module::allCases()) {
        std::printf("%-14s %-15s %s\n", std::string(module.rawValue()).c_str(), std::string(module.title()).c_str(),
                    std::string(module.tagline()).c_str());
    }
    return ExitStatus::success;
}

} // namespace

const Command modulesCommand{"modules", "modules", runModules};
