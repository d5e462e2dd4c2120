#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

// What a command takes after its options; the parser checks the count, the shells complete them.
// `actionAndPaths`: one of the command's actions, then paths.
enum class Operands { none, module, paths, command, actionAndPaths };

// One subcommand of the `quillo` command line. Its definition is the one source of its help, its
// manual page section and its shell completions.
struct Command {
    QString name;
    // The command's line in a usage text, after "quillo NAME ": "[OPTION]... MODULE".
    QString synopsis;
    // One line, for the list of commands.
    QString summary;
    // Paragraphs (separated by blank lines) for its help and its manual page section.
    QString description;
    // Its options besides -h/--help, which every command takes.
    QList<QCommandLineOption> options;
    Operands operands = Operands::none;
    // With Operands::actionAndPaths: the words that may come first.
    QStringList actions = {};
    // Runs the command once its arguments parsed; returns the exit status.
    int (*run)(const QCommandLineParser& parsed) = nullptr;
};

// Exit statuses shared by every command.
namespace ExitStatus {
inline constexpr int success = 0;
inline constexpr int failure = 1;
inline constexpr int usage = 2;
} // namespace ExitStatus
