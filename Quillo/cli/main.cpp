#include <cstdio>
#include <string_view>
#include <vector>

#include "cli/Command.h"
#include "cli/SizeCommand.h"

namespace {

const Command* const commands[] = {&sizeCommand};

int printUsage()
{
    std::fprintf(stderr, "usage:\n");
    for (const Command* command : commands)
        std::fprintf(stderr, "  quillo %.*s\n", static_cast<int>(command->usage.size()), command->usage.data());
    return ExitStatus::usage;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return printUsage();
    const std::string_view name = argv[1];
    for (const Command* command : commands) {
        if (command->name == name)
            return command->run(std::vector<std::string_view>(argv + 2, argv + argc));
    }
    std::fprintf(stderr, "quillo: unknown command '%.*s'\n", static_cast<int>(name.size()), name.data());
    return printUsage();
}
