#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QString>

#include "records/Module.h"
#include "records/ScanPhase.h"
#include "services/StorageInfo.h"
#include "ui/design/StorageSegment.h"

class CleanerStore;

// The home screen's texts and figures, as plain functions of what it shows.
class HomeTexts {
    Q_DECLARE_TR_FUNCTIONS(HomeTexts)

public:
    // The header's title for the Smart Scan's phase, given the bytes it found.
    static QString title(const ScanPhase& phase, std::int64_t foundBytes);

    // The header's line under the title.
    struct Subtitle {
        enum class Look { plain, warning, path } look = Look::plain;
        QString text;
        // After a clean in which items could not go: the line saying how many.
        QString failures;
        bool operator==(const Subtitle&) const = default;
    };
    static Subtitle subtitle(const ScanPhase& phase, const StorageInfo& storage, std::size_t selectedCount,
                             std::int64_t selectedBytes, const std::string& currentPath);

    // "42% · 1.2 GB found": the whole percentage, never rounded up.
    static QString progressLabel(double fraction, std::int64_t foundBytes);
    static QString cleanButton(std::int64_t selectedBytes);
    // "3 of 12 picked", on a Smart Scan card while its module has a result of at least one item
    // and is neither cleaning nor cleaned.
    static std::optional<QString> pickedChip(const CleanerStore& store, Module module);
    static QString freeOfTotal(const StorageInfo& storage);
    static QString module(std::string_view text);
};

// The storage bar's pieces: what each Smart Scan module with a result found (left out when it
// found nothing), everything else in use (flexible, never below zero), and the free space.
// Zero-byte pieces stay in the list, for the legend; the bar leaves them out.
std::vector<StorageSegment> storageSegments(const StorageInfo& storage,
                                            const std::vector<std::pair<Module, std::int64_t>>& foundByModule);
std::vector<StorageSegment> storageSegments(const CleanerStore& store);

// What the bottom of a Smart Scan card shows.
enum class CardValue { needsAccess, notScanned, working, figure };
CardValue cardValue(const CleanerStore& store, Module module);

// The Smart Scan's progress: the mean over its three targets, one without progress counting 0.
double smartScanProgress(const CleanerStore& store);
