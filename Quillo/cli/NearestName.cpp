#include "cli/NearestName.h"

#include <algorithm>
#include <vector>

namespace {

QString folded(const QString& name) { return name.toLower().remove(QLatin1Char('-')); }

// Edits (insertions, deletions, substitutions, swaps of neighbours) that turn `a` into `b`.
qsizetype distance(const QString& a, const QString& b)
{
    const qsizetype width = b.size() + 1;
    std::vector<qsizetype> table(static_cast<std::size_t>((a.size() + 1) * width));
    auto at = [&](qsizetype i, qsizetype j) -> qsizetype& { return table[static_cast<std::size_t>(i * width + j)]; };
    for (qsizetype i = 0; i <= a.size(); ++i)
        at(i, 0) = i;
    for (qsizetype j = 0; j <= b.size(); ++j)
        at(0, j) = j;
    for (qsizetype i = 1; i <= a.size(); ++i) {
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const qsizetype cost = a[i - 1] == b[j - 1] ? 0 : 1;
            at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
        }
    }
    return at(a.size(), b.size());
}

} // namespace

QString nearestName(const QString& given, const QStringList& candidates)
{
    const QString typed = folded(given);
    if (typed.isEmpty())
        return {};
    // Short names tolerate one slip; longer ones two.
    const qsizetype tolerance = typed.size() <= 4 ? 1 : 2;
    QString best;
    qsizetype bestDistance = tolerance + 1;
    bool tied = false;
    QStringList startingWith;
    for (const QString& candidate : candidates) {
        const QString name = folded(candidate);
        if (typed.size() >= 2 && name.startsWith(typed))
            startingWith.append(candidate);
        const qsizetype edits = distance(typed, name);
        if (edits < bestDistance) {
            best = candidate;
            bestDistance = edits;
            tied = false;
        } else if (edits == bestDistance && best != candidate) {
            tied = true;
        }
    }
    if (bestDistance <= tolerance && !tied)
        return best;
    return startingWith.size() == 1 ? startingWith.front() : QString();
}
