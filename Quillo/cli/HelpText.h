#pragma once

#include <QCommandLineOption>
#include <QString>

#include "cli/Command.h"

// The help texts, made from the command definitions, wrapped for an 80-column terminal.
namespace HelpText {

// `quillo --help`: usage, what quillo does, the commands, the program's options.
QString program();
// `quillo COMMAND --help`: usage, description, options, and what the operand may be.
QString command(const Command& command);

// "-n, --dry-run", "--item=PATH": an option as a usage text and the manual page write it.
QString optionLabel(const QCommandLineOption& option);
// The sentence saying which modules MODULE may name.
QString moduleOperand();

} // namespace HelpText
