#include "cli/CleanJson.h"

#include <QJsonArray>

#include "cli/CleanOutcome.h"
#include "cli/JsonOutput.h"

namespace CleanJson {

namespace {

QString resultName(CleanOutcome::Result result)
{
    switch (result) {
    case CleanOutcome::Result::removed: return "removed";
    case CleanOutcome::Result::failed: return "failed";
    case CleanOutcome::Result::notReached: break;
    }
    return "notReached";
}

QJsonObject entry(const CleanPlan::Entry& planned, const CleanOutcome* outcome, bool dryRun)
{
    QJsonObject object{{"name", JsonOutput::text(planned.item.name)},
                       {"size", static_cast<qint64>(planned.item.size)},
                       {"deletedForGood", planned.deletedForGood}};
    JsonOutput::setPath(object, "path", planned.item.url.native());
    if (!outcome) {
        object["result"] = dryRun ? "planned" : "notReached";
        return object;
    }
    const CleanOutcome::Result result = outcome->result(planned.item);
    object["result"] = resultName(result);
    if (result == CleanOutcome::Result::removed)
        object["deletedForGood"] = outcome->deletedForGood(planned.item);
    if (result == CleanOutcome::Result::failed)
        object["reason"] = JsonOutput::text(outcome->reason(planned.item));
    return object;
}

} // namespace

QJsonObject document(Module module, const CleanPlan& plan, const CleanOutcome* outcome, bool dryRun,
                     const QDateTime& cleanedAt)
{
    QJsonArray items;
    for (const CleanPlan::Entry& planned : plan.entries)
        items.append(entry(planned, outcome, dryRun));
    const CleanPlan::Amounts planned = plan.amounts();
    QJsonObject document = JsonOutput::header("quillo-clean");
    document["cleanedAt"] = JsonOutput::utcTime(cleanedAt);
    document["module"] = QString::fromUtf8(module.rawValue());
    document["dryRun"] = dryRun;
    const CleanPlan::Amounts none;
    const CleanPlan::Amounts& counted = dryRun ? planned : none;
    document["trashedBytes"] = static_cast<qint64>(outcome ? outcome->trashedBytes() : counted.trashedBytes);
    document["deletedBytes"] = static_cast<qint64>(outcome ? outcome->deletedBytes() : counted.deletedBytes);
    document["items"] = items;
    return document;
}

} // namespace CleanJson
