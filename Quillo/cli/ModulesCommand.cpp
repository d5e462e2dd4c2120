#include "cli/ModulesCommand.h"

#include <cstdio>
#include <string>

#include "cli/ModuleName.h"

namespace {

int runModules(const QCommandLineParser&)
{
    for (Module module : Module::allCases()) {
        std::printf("%-15s %-15s %s\n", ModuleName::of(module).toUtf8().constData(), std::string(module.title()).c_str(),
                    std::string(module.tagline()).c_str());
    }
    return ExitStatus::success;
}

} // namespace

const Command modulesCommand{
    .name = "modules",
    .synopsis = "",
    .summary = "List the modules",
    .description = "Lists the modules a scan or a clean can name, one line each: its name, its title and "
                   "what it finds. Smart Scan runs System Junk, Developer Junk and Trash together.",
    .options = {},
    .operands = Operands::none,
    .run = runModules,
};
