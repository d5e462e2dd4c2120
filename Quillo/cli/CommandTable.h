#pragma once

#include <span>

#include <QCommandLineOption>
#include <QString>
#include <QStringList>

#include "cli/Command.h"

// Every command of `quillo`, in the order help lists them, and the program's own options: the
// one source of the parser, the help, the manual page and the shell completions.
namespace CommandTable {

std::span<const Command* const> all();
// The command of that exact name, or null.
const Command* named(const QString& name);
QStringList names();

// -h, --help: every command takes it too.
QCommandLineOption helpOption();
QCommandLineOption versionOption();

// What quillo does, in one line and in a paragraph.
QString programSummary();
QString programDescription();
// The exit statuses, in one sentence.
QString exitStatuses();

} // namespace CommandTable
