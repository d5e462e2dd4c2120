#include "cli/KeepCommand.h"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "cli/ArgumentText.h"
#include "cli/TerminalText.h"
#include "cli/UsageError.h"
#include "platform/PathPatterns.h"
#include "store/CleanerStore.h"

namespace {

const QString where = "quillo keep";

std::filesystem::path absolute(const std::string& given)
{
    std::error_code error;
    auto path = std::filesystem::absolute(given, error).lexically_normal();
    if (path.has_relative_path() && !path.has_filename())
        path = path.parent_path();
    return path;
}

bool exists(const std::string& given)
{
    struct stat st {};
    return ::lstat(given.c_str(), &st) == 0;
}

// What the user named, as the list keeps it: something that exists, exactly that (whatever
// pattern characters its name holds); else an absolute or "~" pattern as written, a name pattern
// ("*.iso") as written, and a relative one from the working folder.
std::string entryFor(const std::string& given)
{
    if (exists(given))
        return platform::PathPatterns::literal(absolute(given));
    if (given.starts_with('/') || given.starts_with('~') || given.find('/') == std::string::npos)
        return given;
    std::error_code error;
    return platform::PathPatterns::literal(std::filesystem::current_path(error)) + "/" + given;
}

std::string shown(const std::string& text) { return TerminalText::escaped(text); }

int list(const CleanerStore& store)
{
    for (const std::string& entry : store.keptPaths())
        std::printf("%s\n", shown(entry).c_str());
    return ExitStatus::success;
}

int remove(CleanerStore& store, const std::string& given)
{
    const auto kept = store.keptPaths();
    for (const std::string& entry : {given, entryFor(given)}) {
        if (std::ranges::find(kept, entry) != kept.end()) {
            store.unkeep(entry);
            return ExitStatus::success;
        }
    }
    std::fprintf(stderr, "quillo keep: '%s' is not in the keep list (see 'quillo keep list')\n", shown(given).c_str());
    return ExitStatus::failure;
}

int runKeep(const QCommandLineParser& parsed)
{
    const QStringList operands = parsed.positionalArguments();
    const QString action = operands.front();
    CleanerStore store(StoreServices::live());
    if (action == QLatin1String("list")) {
        if (operands.size() > 1)
            return usageError(where, "list takes no PATH");
        return list(store);
    }
    if (operands.size() < 2)
        return usageError(where, "missing PATH");
    int status = ExitStatus::success;
    for (const QString& operand : operands.mid(1)) {
        const std::string given = ArgumentText::toBytes(operand);
        if (given.empty())
            return usageError(where, "an empty PATH names nothing");
        if (action == QLatin1String("add"))
            store.keepPattern(entryFor(given));
        else if (remove(store, given) != ExitStatus::success)
            status = ExitStatus::failure;
    }
    return status;
}

} // namespace

const Command keepCommand{
    .name = "keep",
    .synopsis = "[OPTION]... ACTION [PATH]...",
    .summary = "Add to, remove from or list the keep list",
    .description =
        "The keep list holds what is never cleaned: no scan lists it or anything inside it, no scan "
        "enters it, and a clean refuses it and any folder that holds it, whoever asks. 'add' puts "
        "each PATH on the list, 'remove' takes it off, 'list' prints the list, one entry a line.\n\n"
        "A PATH that exists is kept exactly. Otherwise it is a pattern, as the shell matches names: "
        "\"*\", \"?\" and \"[...]\" match within one path component, and a leading \"~\" stands for "
        "the home folder (quote it so the shell leaves it): '~/Projects/*/build' keeps every project's "
        "build folder. A pattern without a slash ('*.iso', 'node_modules') keeps what has such a "
        "name, wherever it is. A relative path is taken from the working folder.",
    .options = {},
    .operands = Operands::actionAndPaths,
    .actions = {"add", "remove", "list"},
    .run = runKeep,
};
