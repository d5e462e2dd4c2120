#pragma once

#include <QString>

// Says what was wrong with the command line in one line on stderr, "WHERE: MESSAGE", followed by
// "WHERE: did you mean 'SUGGESTION'?" when there is a suggestion; returns ExitStatus::usage.
// `where` is "quillo" or "quillo COMMAND". The message is written as it is: names and paths in
// it must already be escaped for a terminal.
int usageError(const QString& where, const QString& message, const QString& suggestion = {});
