#pragma once

#include <QStringList>

// Parses the arguments after the program's name (as ArgumentText made them from the bytes), runs
// the command they name and returns the exit status: the program's options (--help, --version),
// then COMMAND with its own options and operands, GNU-style ("--opt=value", "--" ending the
// options, "-yn" for "-y -n"). A mistake exits 2 after one line saying what it was, and a second
// one suggesting what was likely meant when a name is near one that exists.
int runCommandLine(const QStringList& arguments);
