#include "cli/CommandLine.h"

#include <cstdio>
#include <new>
#include <system_error>

#include <QCommandLineParser>

#include "cli/ArgumentText.h"
#include "cli/CommandTable.h"
#include "cli/HelpText.h"
#include "cli/ModuleName.h"
#include "cli/NearestName.h"
#include "cli/TerminalText.h"
#include "cli/UsageError.h"
#include "cli/Version.h"

namespace {

// An argument as it may be shown in a message: whatever bytes it holds, escaped.
QString shown(const QString& argument)
{
    return QString::fromStdString(TerminalText::escaped(ArgumentText::toBytes(argument)));
}

QStringList longOptionNames(const QList<QCommandLineOption>& options)
{
    QStringList names;
    for (const QCommandLineOption& option : options) {
        for (const QString& name : option.names()) {
            if (name.size() > 1)
                names.append("--" + name);
        }
    }
    return names;
}

int parseError(const QString& where, const QCommandLineParser& parser, const QList<QCommandLineOption>& options)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString given = (unknown.front().size() == 1 ? "-" : "--") + unknown.front();
        const QString suggestion = given.size() > 2 ? nearestName(given, longOptionNames(options)) : QString();
        return usageError(where, "unknown option '" + shown(given) + "'", suggestion);
    }
    // Qt's own words ("Missing value after '--item'."), as a diagnostic is written.
    QString message = parser.errorText();
    if (message.endsWith(QLatin1Char('.')))
        message.chop(1);
    if (!message.isEmpty())
        message[0] = message[0].toLower();
    return usageError(where, shown(message));
}

int unknownCommand(const QString& where, const QString& name)
{
    return usageError(where, "unknown command '" + shown(name) + "'", nearestName(name, CommandTable::names()));
}

// The operands a command takes, checked before it runs.
int checkOperands(const Command& command, const QStringList& operands, const QString& where)
{
    const bool takesPaths = command.operands == Operands::paths || command.operands == Operands::actionAndPaths;
    const qsizetype most = command.operands == Operands::none ? 0 : takesPaths ? -1 : 1;
    if (most >= 0 && operands.size() > most)
        return usageError(where, "unexpected argument '" + shown(operands[most]) + "'");
    switch (command.operands) {
    case Operands::none:
        break;
    case Operands::module:
        if (operands.isEmpty())
            return usageError(where, "missing MODULE (see 'quillo modules')");
        if (!ModuleName::parse(operands.front())) {
            const QString suggestion = nearestName(operands.front(), ModuleName::all());
            return usageError(where,
                              "unknown module '" + shown(operands.front()) + "'" +
                                  (suggestion.isEmpty() ? " (see 'quillo modules')" : ""),
                              suggestion);
        }
        break;
    case Operands::paths:
        if (operands.isEmpty())
            return usageError(where, "missing PATH");
        break;
    case Operands::command:
        if (!operands.isEmpty() && !CommandTable::named(operands.front()))
            return unknownCommand(where, operands.front());
        break;
    case Operands::actionAndPaths:
        if (operands.isEmpty())
            return usageError(where, "missing ACTION (" + command.actions.join(", ") + ")");
        if (!command.actions.contains(operands.front()))
            return usageError(where, "unknown action '" + shown(operands.front()) + "'",
                              nearestName(operands.front(), command.actions));
        break;
    }
    return ExitStatus::success;
}

// What the system refuses outright (threads under a process limit, memory under an address-space
// limit) ends the command with a message instead of an abort.
int runReportingFailure(const Command& command, const QCommandLineParser& parsed)
{
    try {
        return command.run(parsed);
    } catch (const std::system_error& error) {
        std::fprintf(stderr, "quillo: cannot start the work: %s\n", error.code().message().c_str());
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "quillo: out of memory\n");
    }
    return ExitStatus::failure;
}

void print(const QString& text) { std::fputs(text.toUtf8().constData(), stdout); }

int runCommand(const Command& command, const QStringList& arguments)
{
    const QString where = "quillo " + command.name;
    QCommandLineParser parser;
    const QList<QCommandLineOption> options = command.options + QList{CommandTable::helpOption()};
    parser.addOptions(options);
    if (!parser.parse(QStringList{where} + arguments))
        return parseError(where, parser, options);
    if (parser.isSet("help")) {
        print(HelpText::command(command));
        return ExitStatus::success;
    }
    if (const int status = checkOperands(command, parser.positionalArguments(), where); status != ExitStatus::success)
        return status;
    return runReportingFailure(command, parser);
}

} // namespace

int runCommandLine(const QStringList& arguments)
{
    // The program's own options come before the command; everything from the command on is its.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QList<QCommandLineOption> options{CommandTable::helpOption(), CommandTable::versionOption()};
    parser.addOptions(options);
    if (!parser.parse(QStringList{"quillo"} + arguments))
        return parseError("quillo", parser, options);
    if (parser.isSet("version")) {
        print("quillo " + quilloVersion() + "\n");
        return ExitStatus::success;
    }
    const QStringList rest = parser.positionalArguments();
    if (parser.isSet("help")) {
        // "quillo --help clean" asks for the clean command's help, as "quillo help clean" does.
        const Command* command = rest.isEmpty() ? nullptr : CommandTable::named(rest.front());
        print(command ? HelpText::command(*command) : HelpText::program());
        return ExitStatus::success;
    }
    if (rest.isEmpty())
        return usageError("quillo", "missing COMMAND (see 'quillo --help')");
    const Command* command = CommandTable::named(rest.front());
    if (!command)
        return unknownCommand("quillo", rest.front());
    return runCommand(*command, rest.mid(1));
}
