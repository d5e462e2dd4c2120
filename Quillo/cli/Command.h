#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

// What a command takes after its options; the parser checks the count, the shells complete them.
enum class Operands { none, module, paths, command };

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
    // Runs the command once its arguments parsed; returns the exit status.
    int (*run)(const QCommandLineParser& parsed) = nullptr;
};

// Exit statuses shared by every command.
namespace ExitStatus {
inline constexpr int success = 0;
inline constexpr int failure = 1;
inline constexpr int usage = 2;
} // namespace ExitStatus
