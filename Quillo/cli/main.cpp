#include <cstdio>
#include <new>
#include <system_error>
#include <string_view>
#include <vector>

#include <QCoreApplication>

#include "cli/CleanCommand.h"
#include "cli/Command.h"
#include "cli/ModulesCommand.h"
#include "cli/ScanCommand.h"
#include "cli/SizeCommand.h"
#include "foundation/Preferences.h"

namespace {

const Command* const commands[] = {&modulesCommand, &scanCommand, &cleanCommand, &sizeCommand};

int printUsage()
{
    std::fprintf(stderr, "usage:\n");
    for (const Command* command : commands)
        std::fprintf(stderr, "  quillo %.*s\n", static_cast<int>(command->usage.size()), command->usage.data());
    return ExitStatus::usage;
}

// What the system refuses outright (threads under a process limit, memory under an address-space
// limit) ends the command with a message instead of an abort.
int runReportingFailure(const Command& command, const std::vector<std::string_view>& arguments)
{
    try {
        return command.run(arguments);
    } catch (const std::system_error& error) {
        std::fprintf(stderr, "quillo: cannot start the work: %s\n", error.code().message().c_str());
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "quillo: out of memory\n");
    }
    return ExitStatus::failure;
}

} // namespace

int main(int argc, char** argv)
{
    // The headless face of the application: the same store, on this thread's event loop.
    QCoreApplication application(argc, argv);
    Preferences::standard().registerApplicationDefaults();
    if (argc < 2)
        return printUsage();
    const std::string_view name = argv[1];
    for (const Command* command : commands) {
        if (command->name == name)
            return runReportingFailure(*command, std::vector<std::string_view>(argv + 2, argv + argc));
    }
    std::fprintf(stderr, "quillo: unknown command '%.*s'\n", static_cast<int>(name.size()), name.data());
    return printUsage();
}
