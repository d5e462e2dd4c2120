#include "cli/ShellCompletion.h"

#include "cli/CommandTable.h"
#include "cli/ModuleName.h"
#include "records/Module.h"

namespace ShellCompletion {

namespace {

const QString header = "generated from quillo's command definitions; edits are lost at the next build";

QList<QCommandLineOption> optionsOf(const Command& command) { return command.options + QList{CommandTable::helpOption()}; }

QStringList dashedNames(const QList<QCommandLineOption>& options, bool withValueOnly = false)
{
    QStringList names;
    for (const QCommandLineOption& option : options) {
        if (withValueOnly && option.valueName().isEmpty())
            continue;
        for (const QString& name : option.names())
            names.append((name.size() == 1 ? "-" : "--") + name);
    }
    return names;
}

// Text inside single quotes, for any of the three shells.
QString singleQuoted(QString text) { return "'" + text.replace("'", "'\\''") + "'"; }

QString bashOperands(const Command& command)
{
    switch (command.operands) {
    case Operands::module: return "COMPREPLY=($(compgen -W '" + ModuleName::all().join(' ') + "' -- \"$cur\"))";
    case Operands::command: return "COMPREPLY=($(compgen -W '" + CommandTable::names().join(' ') + "' -- \"$cur\"))";
    case Operands::paths: return "compopt -o filenames 2>/dev/null; mapfile -t COMPREPLY < <(compgen -f -- \"$cur\")";
    case Operands::actionAndPaths:
        // The action is the first word after the command that is not an option; paths follow it.
        return "local w words=0; for w in \"${COMP_WORDS[@]:i+1:COMP_CWORD-i-1}\"; do [[ $w == -* ]] || ((words++)); done\n"
               "            if ((words == 0)); then COMPREPLY=($(compgen -W '" +
               command.actions.join(' ') +
               "' -- \"$cur\")); else compopt -o filenames 2>/dev/null; mapfile -t COMPREPLY < <(compgen -f -- \"$cur\"); fi";
    case Operands::none: break;
    }
    return "COMPREPLY=()";
}

// zsh's _arguments writes "[", "]" and ":" in a description with a backslash.
QString zshDescription(QString text)
{
    return text.replace("\\", "\\\\").replace("[", "\\[").replace("]", "\\]").replace(":", "\\:");
}

QString zshOptionSpecs(const Command& command)
{
    QStringList lines;
    for (const QCommandLineOption& option : optionsOf(command)) {
        const QStringList names = dashedNames({option});
        const bool takesValue = !option.valueName().isEmpty();
        const QString namesPattern = names.size() > 1 ? "{" + names.join(',') + "}" : names.front();
        const QString description = singleQuoted((takesValue ? "=" : "") + QString("[") +
                                                 zshDescription(option.description()) + "]" +
                                                 (takesValue ? ":" + option.valueName().toLower() + ":_files" : ""));
        // Help ends the command line: nothing else is offered after it. Options with a value may
        // be repeated.
        const QString prefix = option.names().contains("help") ? "'(- *)'" : takesValue ? "'*'" : "";
        lines.append("            " + prefix + namesPattern + description);
    }
    switch (command.operands) {
    case Operands::module: lines.append("            '1:module:(" + ModuleName::all().join(' ') + ")'"); break;
    case Operands::command: lines.append("            '1:command:(" + CommandTable::names().join(' ') + ")'"); break;
    case Operands::paths: lines.append("            '*:path:_files'"); break;
    case Operands::actionAndPaths:
        lines.append("            '1:action:(" + command.actions.join(' ') + ")'");
        lines.append("            '*:path:_files'");
        break;
    case Operands::none: break;
    }
    return lines.join(" \\\n");
}

} // namespace

QString bash()
{
    QString cases;
    for (const Command* command : CommandTable::all()) {
        const QList<QCommandLineOption> options = optionsOf(*command);
        cases += "    " + command->name + ")\n";
        if (const QStringList valued = dashedNames(options, true); !valued.isEmpty()) {
            cases += "        case $prev in\n            " + valued.join('|') +
                     ")\n                compopt -o filenames 2>/dev/null\n"
                     "                mapfile -t COMPREPLY < <(compgen -f -- \"$cur\")\n"
                     "                return ;;\n        esac\n";
        }
        cases += "        if [[ $cur == -* ]]; then\n            COMPREPLY=($(compgen -W '" + dashedNames(options).join(' ') +
                 "' -- \"$cur\"))\n        else\n            " + bashOperands(*command) + "\n        fi ;;\n";
    }
    const QStringList programWords =
        CommandTable::names() + dashedNames({CommandTable::helpOption(), CommandTable::versionOption()});
    return "# bash completion for quillo: " + header +
           ".\n"
           "_quillo()\n"
           "{\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} command= i\n"
           "    # \"--item=PATH\": bash splits the word at \"=\".\n"
           "    if [[ $cur == = ]]; then cur=; elif [[ $prev == = ]]; then prev=${COMP_WORDS[COMP_CWORD-2]}; fi\n"
           "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
           "        [[ ${COMP_WORDS[i]} == -* ]] || { command=${COMP_WORDS[i]}; break; }\n"
           "    done\n"
           "    case $command in\n"
           "    '')\n"
           "        COMPREPLY=($(compgen -W '" +
           programWords.join(' ') +
           "' -- \"$cur\")) ;;\n" + cases +
           "    esac\n"
           "}\n"
           "complete -F _quillo quillo\n";
}

QString zsh()
{
    QString commandList;
    for (const Command* command : CommandTable::all())
        commandList += "        " + singleQuoted(command->name + ":" + zshDescription(command->summary)) + "\n";
    QString cases;
    for (const Command* command : CommandTable::all())
        cases += "        (" + command->name + ")\n            _arguments -s -S \\\n" + zshOptionSpecs(*command) + " && ret=0 ;;\n";
    return "#compdef quillo\n# zsh completion for quillo: " + header +
           ".\n"
           "_quillo() {\n"
           "    local curcontext=$curcontext state line ret=1\n"
           "    typeset -A opt_args\n"
           "    _arguments -C \\\n"
           "        '(- *)'{-h,--help}'[" +
           zshDescription(CommandTable::helpOption().description()) +
           "]' \\\n"
           "        '(- *)--version[" +
           zshDescription(CommandTable::versionOption().description()) +
           "]' \\\n"
           "        '1:command:->command' \\\n"
           "        '*::argument:->argument' && ret=0\n"
           "    case $state in\n"
           "    (command)\n"
           "        local -a commands=(\n" +
           commandList +
           "        )\n"
           "        _describe -t commands 'quillo command' commands && ret=0 ;;\n"
           "    (argument)\n"
           "        curcontext=${curcontext%:*:*}:quillo-$line[1]:\n"
           "        case $line[1] in\n" +
           cases +
           "        esac ;;\n"
           "    esac\n"
           "    return ret\n"
           "}\n"
           "if [[ $zsh_eval_context[-1] == loadautofunc ]]; then\n"
           "    _quillo \"$@\"\n"
           "else\n"
           "    compdef _quillo quillo\n"
           "fi\n";
}

QString fish()
{
    QString text = "# fish completion for quillo: " + header + ".\n" + "complete -c quillo -f\n";
    const QString noCommand = " -n __fish_use_subcommand";
    for (const QCommandLineOption& option : {CommandTable::helpOption(), CommandTable::versionOption()}) {
        text += "complete -c quillo" + noCommand;
        for (const QString& name : option.names())
            text += (name.size() == 1 ? " -s " : " -l ") + name;
        text += " -d " + singleQuoted(option.description()) + "\n";
    }
    for (const Command* command : CommandTable::all())
        text += "complete -c quillo" + noCommand + " -a " + command->name + " -d " + singleQuoted(command->summary) + "\n";
    for (const Command* command : CommandTable::all()) {
        const QString after = " -n " + singleQuoted("__fish_seen_subcommand_from " + command->name);
        for (const QCommandLineOption& option : optionsOf(*command)) {
            text += "complete -c quillo" + after;
            for (const QString& name : option.names())
                text += (name.size() == 1 ? " -s " : " -l ") + name;
            if (!option.valueName().isEmpty())
                text += " -r -F";
            text += " -d " + singleQuoted(option.description()) + "\n";
        }
        switch (command->operands) {
        case Operands::module:
            for (Module module : Module::allCases())
                text += "complete -c quillo" + after + " -a " + ModuleName::of(module) + " -d " +
                        singleQuoted(QString::fromUtf8(module.title())) + "\n";
            break;
        case Operands::command:
            text += "complete -c quillo" + after + " -a " + singleQuoted(CommandTable::names().join(' ')) + "\n";
            break;
        case Operands::paths: text += "complete -c quillo" + after + " -F\n"; break;
        case Operands::actionAndPaths:
            text += "complete -c quillo" + after + " -n " + singleQuoted("not __fish_seen_subcommand_from " + command->actions.join(' ')) +
                    " -a " + singleQuoted(command->actions.join(' ')) + "\n";
            text += "complete -c quillo" + after + " -n " + singleQuoted("__fish_seen_subcommand_from " + command->actions.join(' ')) + " -F\n";
            break;
        case Operands::none: break;
        }
    }
    return text;
}

} // namespace ShellCompletion
