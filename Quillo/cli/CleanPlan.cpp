#include "cli/CleanPlan.h"

#include "foundation/ByteFormat.h"
#include "store/CleanerStore.h"

namespace {

std::string bytes(std::int64_t count) { return ByteFormat::string(count, ByteFormat::Style::file).toStdString(); }

} // namespace

void CleanPlan::Amounts::add(std::int64_t bytes, bool deletedForGood)
{
    if (deletedForGood) {
        ++deletedItems;
        deletedBytes += bytes;
    } else {
        ++trashedItems;
        trashedBytes += bytes;
    }
}

CleanPlan CleanPlan::of(const CleanerStore& store, Module module, bool deleteImmediately)
{
    CleanPlan plan;
    for (Module target : module.scanTargets()) {
        const bool deletedForGood = CleanerStore::cleansPermanently(target, deleteImmediately);
        for (ScanItem& item : store.selectedItems(target))
            plan.entries.push_back({std::move(item), deletedForGood});
    }
    return plan;
}

CleanPlan::Amounts CleanPlan::amounts() const
{
    Amounts amounts;
    for (const Entry& entry : entries)
        amounts.add(entry.item.size, entry.deletedForGood);
    return amounts;
}

std::vector<ScanItem> CleanPlan::items() const
{
    std::vector<ScanItem> items;
    for (const Entry& entry : entries)
        items.push_back(entry.item);
    return items;
}

std::string describe(const CleanPlan::Amounts& amounts, Tense tense)
{
    const bool past = tense == Tense::past;
    std::string text;
    if (amounts.trashedItems > 0)
        text = (past ? "Moved " : "Would move ") + bytes(amounts.trashedBytes) + " to the Trash";
    if (amounts.deletedItems > 0) {
        if (text.empty())
            text = (past ? "Freed " : "Would free ") + bytes(amounts.deletedBytes);
        else
            text += (past ? " and freed " : " and free ") + bytes(amounts.deletedBytes);
    }
    return text;
}
