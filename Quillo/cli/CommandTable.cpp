#include "cli/CommandTable.h"

#include "cli/CleanCommand.h"
#include "cli/HelpCommand.h"
#include "cli/KeepCommand.h"
#include "cli/ModulesCommand.h"
#include "cli/ScanCommand.h"
#include "cli/SizeCommand.h"
#include "cli/UndoCommand.h"

namespace CommandTable {

std::span<const Command* const> all()
{
    static const Command* const commands[] = {&modulesCommand, &scanCommand, &cleanCommand, &undoCommand,
                                                 &keepCommand,    &sizeCommand, &helpCommand};
    return commands;
}

const Command* named(const QString& name)
{
    for (const Command* command : all()) {
        if (command->name == name)
            return command;
    }
    return nullptr;
}

QStringList names()
{
    QStringList names;
    for (const Command* command : all())
        names.append(command->name);
    return names;
}

QCommandLineOption helpOption() { return {{"h", "help"}, "Show this help and exit."}; }

QCommandLineOption versionOption() { return {"version", "Show the version and exit."}; }

QString programSummary() { return "find what takes space and can safely go, and remove it"; }

QString programDescription()
{
    return "Quillo finds what takes space and can safely go (caches and logs, build folders and tool "
           "caches, the Trash, applications and what they leave behind, large and duplicate files, old "
           "downloads, device backups), lists it for review and removes only what is ticked: to the "
           "Trash, or for good. The command line drives the same engine as the window, with its "
           "settings.";
}

QString exitStatuses()
{
    return "0 when all went well, 1 when items failed or stayed, a clean was stopped, a path could not "
           "be measured or there was nothing to undo, 2 for a mistake on the command line (nothing "
           "was removed then).";
}

} // namespace CommandTable
