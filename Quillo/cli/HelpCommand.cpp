#include "cli/HelpCommand.h"

#include <cstdio>

#include "cli/CommandTable.h"
#include "cli/HelpText.h"

namespace {

int runHelp(const QCommandLineParser& parsed)
{
    const QStringList operands = parsed.positionalArguments();
    const QString text = operands.isEmpty() ? HelpText::program() : HelpText::command(*CommandTable::named(operands.front()));
    std::fputs(text.toUtf8().constData(), stdout);
    return ExitStatus::success;
}

} // namespace

const Command helpCommand{
    .name = "help",
    .synopsis = "[COMMAND]",
    .summary = "Show the help of a command",
    .description = "Shows the help of COMMAND (the same as 'quillo COMMAND --help'), or of quillo itself.",
    .options = {},
    .operands = Operands::command,
    .run = runHelp,
};
