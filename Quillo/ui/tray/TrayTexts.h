#pragma once

#include <cstdint>

#include <QCoreApplication>
#include <QString>

#include "services/StorageInfo.h"

class CleanerStore;

// The tray's texts and states, as plain functions of the store.
class TrayTexts {
    Q_DECLARE_TR_FUNCTIONS(TrayTexts)

public:
    // The line under "Quillo" in the panel's header.
    static QString status(bool smartScanRunning, const StorageInfo& storage);
    // "42% used", the share in whole per cent.
    static QString usedShare(const StorageInfo& storage);
    // The icon's tooltip: the name, and the free space when asked for.
    static QString tooltip(const StorageInfo& storage, bool showsFreeSpace);
};

// What the Smart Scan tile shows: the scan running, what it found (once each of its three
// modules has a result, whatever they found), or the invitation to scan.
enum class JunkTileState { scanning, result, idle };
JunkTileState junkTileState(const CleanerStore& store);

// What the Trash tile shows.
enum class TrashTileState { needsAccess, notScanned, figure };
TrashTileState trashTileState(const CleanerStore& store);
