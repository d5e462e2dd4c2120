#include "cli/Arguments.h"

#include <cstdio>

std::optional<Module> parseModule(std::string_view name, std::string_view command)
{
    if (auto module = Module::fromRawValue(name))
        return module;
    std::fprintf(stderr, "quillo %.*s: unknown module '%.*s'; one of:\n", static_cast<int>(command.size()), command.data(),
                 static_cast<int>(name.size()), name.data());
    for (Module module : Module::allCases())
        std::fprintf(stderr, "  %.*s\n", static_cast<int>(module.rawValue().size()), module.rawValue().data());
    return std::nullopt;
}
