#include "cli/UsageError.h"

#include <cstdio>

#include "cli/Command.h"

int usageError(const QString& where, const QString& message, const QString& suggestion)
{
    std::fprintf(stderr, "%s: %s\n", where.toUtf8().constData(), message.toUtf8().constData());
    if (!suggestion.isEmpty())
        std::fprintf(stderr, "%s: did you mean '%s'?\n", where.toUtf8().constData(), suggestion.toUtf8().constData());
    return ExitStatus::usage;
}
