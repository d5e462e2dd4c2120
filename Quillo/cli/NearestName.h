#pragma once

#include <QString>
#include <QStringList>

// For "did you mean": the candidate `given` most likely misspells (at most a letter or two off,
// ignoring case and hyphens, a swap of two neighbours counting as one), or the one candidate it
// is the start of; empty when none is that near, or when two are equally near.
QString nearestName(const QString& given, const QStringList& candidates);
