#include "ui/home/HomeTexts.h"

#include <algorithm>
#include <cmath>

#include "foundation/ByteFormat.h"
#include "platform/PlatformWords.h"
#include "store/CleanerStore.h"
#include "ui/design/ModuleTheme.h"
#include "ui/design/Palette.h"

namespace {

QString fileSize(std::int64_t bytes)
{
    return ByteFormat::string(bytes, ByteFormat::Style::file);
}

QString words(std::string_view text)
{
    return QCoreApplication::translate("PlatformWords", text.data());
}

} // namespace

QString HomeTexts::module(std::string_view text)
{
    return QCoreApplication::translate("Module", text.data());
}

QString HomeTexts::title(const ScanPhase& phase, std::int64_t foundBytes)
{
    switch (phase.kind()) {
    case ScanPhase::Kind::idle:
        return tr("Let's make some room");
    case ScanPhase::Kind::scanning:
        return tr("Hunting for clutter…");
    case ScanPhase::Kind::ready:
        if (foundBytes < 1)
            return words(platform::platformWords().computerIsSpotless);
        return tr("%1 to clean").arg(fileSize(foundBytes));
    case ScanPhase::Kind::cleaning:
        return tr("Tidying up…");
    case ScanPhase::Kind::cleaned:
        break;
    }
    return tr("%1 gone").arg(fileSize(phase.summary()->freedBytes));
}

HomeTexts::Subtitle HomeTexts::subtitle(const ScanPhase& phase, const StorageInfo& storage, std::size_t selectedCount,
                                        std::int64_t selectedBytes, const std::string& currentPath)
{
    switch (phase.kind()) {
    case ScanPhase::Kind::idle:
        if (storage.isSpaceLow())
            return {Subtitle::Look::warning,
                    words(platform::platformWords().computerIsAlmostFullOnly) + tr("%1 left.").arg(fileSize(storage.available)),
                    {}};
        return {Subtitle::Look::plain, tr("%1 free. A quick tidy keeps it that way.").arg(fileSize(storage.available)), {}};
    case ScanPhase::Kind::scanning:
        return {Subtitle::Look::path, currentPath.empty() ? tr("Getting started…") : QString::fromStdString(currentPath), {}};
    case ScanPhase::Kind::ready:
        if (selectedCount == 0)
            return {Subtitle::Look::plain, tr("Nothing's picked yet. Open a card to choose what goes."), {}};
        return {Subtitle::Look::plain,
                tr("%1 is picked and safe to remove. Open a card to review it.").arg(fileSize(selectedBytes)), {}};
    case ScanPhase::Kind::cleaning:
        return {Subtitle::Look::plain, tr("Clearing out what you picked."), {}};
    case ScanPhase::Kind::cleaned:
        break;
    }
    const CleanSummary summary = *phase.summary();
    Subtitle result{Subtitle::Look::plain,
                    summary.movedToTrash ? tr("It's in the Trash. Empty it to get the space back for good.")
                                         : tr("That space is free again."),
                    {}};
    if (summary.failedCount >= 1)
        result.failures = tr("%n item(s) was in use and got skipped.", nullptr, summary.failedCount);
    return result;
}

QString HomeTexts::progressLabel(double fraction, std::int64_t foundBytes)
{
    const int percent = int(std::trunc(std::clamp(fraction, 0.0, 1.0) * 100));
    return tr("%1% · %2 found").arg(percent).arg(fileSize(foundBytes));
}

QString HomeTexts::cleanButton(std::int64_t selectedBytes)
{
    return tr("Clean %1").arg(fileSize(selectedBytes));
}

QString HomeTexts::freeOfTotal(const StorageInfo& storage)
{
    return tr("%1 free of %2").arg(fileSize(storage.available), fileSize(storage.total));
}

std::optional<QString> HomeTexts::pickedChip(const CleanerStore& store, Module module)
{
    const CategoryResult* result = store.result(module);
    if (store.phase(module) != ScanPhase::ready() || !result || result->items.empty())
        return std::nullopt;
    const auto picked = std::count_if(result->items.begin(), result->items.end(),
                                      [&](const ScanItem& item) { return store.isSelected(item); });
    return tr("%1 of %2 picked").arg(picked).arg(result->items.size());
}

std::vector<StorageSegment> storageSegments(const StorageInfo& storage,
                                            const std::vector<std::pair<Module, std::int64_t>>& foundByModule)
{
    std::vector<StorageSegment> segments;
    std::int64_t found = 0;
    for (const auto& [module, bytes] : foundByModule) {
        if (bytes < 1)
            continue;
        segments.push_back({QString::fromUtf8(module.rawValue().data(), qsizetype(module.rawValue().size())),
                            HomeTexts::module(module.title()), bytes, DynamicColor(ModuleTheme::of(module).strong)});
        found += bytes;
    }
    const std::int64_t used = storage.total - storage.available;
    segments.push_back({QStringLiteral("other"),
                        segments.empty() ? HomeTexts::tr("Used") : HomeTexts::tr("Everything else"),
                        std::max<std::int64_t>(used - found, 0), Palette::ink, true});
    segments.push_back({QStringLiteral("free"), HomeTexts::tr("Free"), storage.available,
                        storage.isSpaceLow() ? Palette::danger : Palette::success});
    return segments;
}

std::vector<StorageSegment> storageSegments(const CleanerStore& store)
{
    std::vector<std::pair<Module, std::int64_t>> found;
    for (Module module : Module(Module::smartScan).scanTargets())
        if (const CategoryResult* result = store.result(module))
            found.emplace_back(module, totalSize(result->items));
    return storageSegments(store.storage(), found);
}

CardValue cardValue(const CleanerStore& store, Module module)
{
    if (const CategoryResult* result = store.result(module); result && result->accessDenied)
        return CardValue::needsAccess;
    switch (store.phase(module).kind()) {
    case ScanPhase::Kind::idle:
        return CardValue::notScanned;
    case ScanPhase::Kind::scanning:
    case ScanPhase::Kind::cleaning:
        return CardValue::working;
    case ScanPhase::Kind::ready:
    case ScanPhase::Kind::cleaned:
        break;
    }
    return CardValue::figure;
}

double smartScanProgress(const CleanerStore& store)
{
    double sum = 0;
    const auto targets = Module(Module::smartScan).scanTargets();
    for (Module target : targets)
        sum += store.progress(target);
    return sum / double(targets.size());
}
