#include "ui/tray/TrayTexts.h"

#include <cmath>

#include <QLocale>

#include "foundation/ByteFormat.h"
#include "platform/PlatformWords.h"
#include "store/CleanerStore.h"

QString TrayTexts::status(bool smartScanRunning, const StorageInfo& storage)
{
    if (smartScanRunning) {
        const std::string_view words = platform::platformWords().scanningComputer;
        return QCoreApplication::translate("PlatformWords", words.data());
    }
    return storage.isSpaceLow() ? tr("Your disk is almost full") : tr("Plenty of room");
}

QString TrayTexts::usedShare(const StorageInfo& storage)
{
    const int percent = int(std::lround(storage.usedFraction() * 100));
    return tr("%1% used").arg(QLocale().toString(percent));
}

QString TrayTexts::tooltip(const StorageInfo& storage, bool showsFreeSpace)
{
    if (!showsFreeSpace)
        return QStringLiteral("Quillo");
    return tr("Quillo\n%1 free").arg(ByteFormat::string(storage.available, ByteFormat::Style::file));
}

JunkTileState junkTileState(const CleanerStore& store)
{
    if (store.phase(Module::smartScan).kind() == ScanPhase::Kind::scanning)
        return JunkTileState::scanning;
    for (Module target : Module(Module::smartScan).scanTargets())
        if (!store.result(target))
            return JunkTileState::idle;
    return JunkTileState::result;
}

TrashTileState trashTileState(const CleanerStore& store)
{
    if (const CategoryResult* result = store.result(Module::trash); result && result->accessDenied)
        return TrashTileState::needsAccess;
    return store.scannedBytes(Module::trash) ? TrashTileState::figure : TrashTileState::notScanned;
}
