#pragma once

#include <QDateTime>
#include <QJsonObject>

#include "cli/CleanPlan.h"

class CleanOutcome;

// The "quillo-clean" document: every ticked item with the way it goes and what became of it.
//   {"format": "quillo-clean", "version": 1, "quillo", "cleanedAt", "module", "dryRun",
//    "trashedBytes", "deletedBytes",
//    "items": [{"path" (+ "pathBytes"), "name", "size", "deletedForGood",
//               "result": "planned" | "removed" | "failed" | "notReached", "reason" (failed only)}]}
// Without an outcome every item is "planned" with the plan's byte counts (a dry run), or
// "notReached" with none (a clean declined at the prompt).
namespace CleanJson {

QJsonObject document(Module module, const CleanPlan& plan, const CleanOutcome* outcome, bool dryRun,
                     const QDateTime& cleanedAt);

} // namespace CleanJson
