#include "cli/ManPage.h"

#include "cli/CommandTable.h"
#include "cli/HelpText.h"
#include "cli/ModuleName.h"
#include "cli/Version.h"
#include "records/Module.h"

namespace ManPage {

namespace {

// Text as roff reads it: a backslash is an escape, a line starting with "." or "'" a request,
// and "-" a hyphen where a minus sign is meant.
QString roff(QString text)
{
    text.replace("\\", "\\e").replace("-", "\\-");
    text.replace("\n\n", "\n.PP\n");
    QString result;
    for (const QString& line : text.split('\n')) {
        const bool request = line.startsWith(".PP");
        result += (!request && (line.startsWith('.') || line.startsWith('\'')) ? "\\&" : "") + line + "\n";
    }
    return result;
}

QString synopsis(const Command& command)
{
    QString words;
    for (const QString& word : command.synopsis.split(' ', Qt::SkipEmptyParts))
        words += " " + (word == "[OPTION]..." ? "[\\fIOPTION\\fR]..." : "\\fI" + roff(word).trimmed() + "\\fR");
    return ".B quillo " + command.name + "\n" + (words.isEmpty() ? "" : words.mid(1) + "\n");
}

QString options(const QList<QCommandLineOption>& options)
{
    QString text;
    for (const QCommandLineOption& option : options)
        text += ".TP\n.B " + roff(HelpText::optionLabel(option)) + roff(option.description());
    return text;
}

QString commands()
{
    QString text = ".SH COMMANDS\n";
    for (const Command* command : CommandTable::all()) {
        text += ".SS " + command->name + "\n" + synopsis(*command) + ".PP\n" + roff(command->description);
        if (!command->options.isEmpty())
            text += options(command->options);
    }
    return text;
}

QString modules()
{
    QString text = ".SH MODULES\n" + roff(HelpText::moduleOperand());
    for (Module module : Module::allCases()) {
        text += ".TP\n.B " + roff(ModuleName::of(module)) + roff(QString::fromUtf8(module.title()) + ": " +
                                                                   QString::fromUtf8(module.tagline()));
    }
    return text;
}

} // namespace

QString text()
{
    QString text = ".\\\" " + roff("Generated from quillo's command definitions; edits are lost at the next build.");
    text += ".TH QUILLO 1 \"\" \"Quillo " + quilloVersion() + "\" \"User Commands\"\n";
    text += ".SH NAME\nquillo \\- " + roff(CommandTable::programSummary());
    text += ".SH SYNOPSIS\n";
    for (const Command* command : CommandTable::all())
        text += synopsis(*command) + ".br\n";
    text += ".B quillo\n\\-\\-help | \\-\\-version\n";
    text += ".SH DESCRIPTION\n" + roff(CommandTable::programDescription());
    text += ".PP\n" + roff("Options follow the GNU conventions: \"--opt=value\" or \"--opt value\", short "
                           "options grouped (\"-yn\"), \"--\" ending the options. Every command takes -h, --help.");
    text += options({CommandTable::helpOption(), CommandTable::versionOption()});
    text += commands() + modules();
    text += ".SH OUTPUT\n" +
            roff("On a terminal, control characters in names and paths are shown escaped, as ls(1) quotes "
                 "them, and colour marks ticked items and totals. Output that is not a terminal carries no "
                 "escape sequence. The JSON documents (--json) are described in json.md, with a JSON Schema "
                 "beside it, in Quillo's documentation.");
    text += ".SH \"EXIT STATUS\"\n" + roff(CommandTable::exitStatuses());
    text += ".SH ENVIRONMENT\n";
    text += ".TP\n.B NO_COLOR\n" + roff("Set to anything but the empty string: no colour.");
    text += ".TP\n.B HOME\n" + roff("The home folder, where the scans look.");
    text += ".TP\n.B XDG_CONFIG_HOME\n" + roff("Where the settings are (default ~/.config).");
    text += ".TP\n.B XDG_DATA_HOME\n" + roff("Where the home Trash is (default ~/.local/share).");
    text += ".SH FILES\n.TP\n.I $XDG_CONFIG_HOME/Quillo/preferences.json\n" +
            roff("The settings the window writes; the command line reads them (deleteImmediately, the "
                 "large-file size and the age of old downloads).");
    text += ".SH \"SEE ALSO\"\n.BR du (1),\n.BR trash-list (1),\n.BR jq (1)\n";
    return text;
}

} // namespace ManPage
