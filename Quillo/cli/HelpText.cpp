#include "cli/HelpText.h"

#include <algorithm>

#include "cli/CommandTable.h"
#include "cli/ModuleName.h"

namespace HelpText {

namespace {

constexpr qsizetype lineWidth = 80;

// `text` with its paragraphs (separated by blank lines) filled to the line width, every line
// after the first indented by `indent`; the first starts at column `firstColumn`.
QString filled(const QString& text, qsizetype indent, qsizetype firstColumn = -1)
{
    QString result;
    qsizetype column = firstColumn < 0 ? indent : firstColumn;
    if (firstColumn < 0)
        result += QString(indent, QLatin1Char(' '));
    const QStringList paragraphs = text.split("\n\n");
    for (qsizetype p = 0; p < paragraphs.size(); ++p) {
        if (p > 0) {
            result += "\n\n" + QString(indent, QLatin1Char(' '));
            column = indent;
        }
        bool lineStart = true;
        for (const QString& word : paragraphs[p].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!lineStart && column + 1 + word.size() > lineWidth) {
                result += "\n" + QString(indent, QLatin1Char(' '));
                column = indent;
                lineStart = true;
            }
            if (!lineStart) {
                result += QLatin1Char(' ');
                ++column;
            }
            result += word;
            column += word.size();
            lineStart = false;
        }
    }
    return result + "\n";
}

// One line (or more) per entry: the label, then its text in a column of its own.
QString table(const QList<QPair<QString, QString>>& rows)
{
    qsizetype labelWidth = 0;
    for (const auto& [label, text] : rows)
        labelWidth = std::max(labelWidth, label.size());
    const qsizetype textColumn = std::min<qsizetype>(2 + labelWidth + 2, 30);
    QString result;
    for (const auto& [label, text] : rows) {
        QString line = "  " + label;
        if (line.size() + 2 > textColumn)
            line += "\n" + QString(textColumn, QLatin1Char(' '));
        else
            line += QString(textColumn - line.size(), QLatin1Char(' '));
        result += line + filled(text, textColumn, textColumn);
    }
    return result;
}

QString optionRows(const QList<QCommandLineOption>& options)
{
    QList<QPair<QString, QString>> rows;
    for (const QCommandLineOption& option : options) {
        // GNU's layout: long options line up whether or not a short one goes before them.
        const bool hasShort = option.names().front().size() == 1;
        rows.append({(hasShort ? "" : "    ") + optionLabel(option), option.description()});
    }
    return table(rows);
}

QString operandNote(const Command& command)
{
    switch (command.operands) {
    case Operands::module: return "\n" + filled(moduleOperand(), 0);
    case Operands::command: return "\n" + filled("COMMAND is one of: " + CommandTable::names().join(", ") + ".", 0);
    case Operands::actionAndPaths: return "\n" + filled("ACTION is one of: " + command.actions.join(", ") + ".", 0);
    case Operands::none:
    case Operands::paths: break;
    }
    return {};
}

} // namespace

QString optionLabel(const QCommandLineOption& option)
{
    QStringList names;
    for (const QString& name : option.names())
        names.append((name.size() == 1 ? "-" : "--") + name);
    QString label = names.join(", ");
    if (!option.valueName().isEmpty())
        label += "=" + option.valueName();
    return label;
}

QString moduleOperand()
{
    return "MODULE is one of: " + ModuleName::all().join(", ") +
           "; the JSON's identifiers (systemJunk) and any letter case are taken too.";
}

QString program()
{
    QString text = "Usage: quillo COMMAND [OPTION]... [ARGUMENT]...\n";
    text += filled(CommandTable::programDescription(), 0);
    QList<QPair<QString, QString>> commands;
    for (const Command* command : CommandTable::all())
        commands.append({command->name, command->summary + "."});
    text += "\nCommands:\n" + table(commands);
    text += "\nOptions:\n" + optionRows({CommandTable::helpOption(), CommandTable::versionOption()});
    text += "\n" + filled("'quillo help COMMAND' shows a command's options. Exit status: " + CommandTable::exitStatuses(), 0);
    return text;
}

QString command(const Command& command)
{
    QString text = "Usage: quillo " + command.name + (command.synopsis.isEmpty() ? "" : " " + command.synopsis) + "\n";
    text += filled(command.description, 0);
    text += "\nOptions:\n" + optionRows(command.options + QList{CommandTable::helpOption()});
    return text + operandNote(command);
}

} // namespace HelpText
