#include "ui/module/ModuleTexts.h"

#include <filesystem>
#include <set>

#include <QStringList>

#include "foundation/ByteFormat.h"
#include "platform/PlatformWords.h"
#include "scan/DiskScanner.h"
#include "services/SystemAccess.h"
#include "ui/design/TagStyle.h"
#include "ui/module/RelativeDate.h"

QString ModuleTexts::catalogue(std::string_view text)
{
    // Catalogue texts are literals, so their views end where the literal does.
    return QCoreApplication::translate("Module", text.data());
}

QString ModuleTexts::platform(std::string_view text)
{
    return QCoreApplication::translate("PlatformWords", text.data());
}

QString ModuleTexts::scanButton(Module module)
{
    return tr("Scan %1").arg(catalogue(module.title()));
}

QString ModuleTexts::scanningTitle(Module module)
{
    return tr("Looking through %1…").arg(catalogue(module.title()).toLower());
}

QString ModuleTexts::currentPath(const std::string& path)
{
    return path.empty() ? tr("Getting started…") : QString::fromStdString(path);
}

QString ModuleTexts::itemCount(std::size_t count)
{
    return tr("%n item(s)", nullptr, int(count));
}

QString ModuleTexts::selectedCount(std::size_t count)
{
    return tr("%n item(s) selected", nullptr, int(count));
}

QString ModuleTexts::selectAll(bool allSelected)
{
    return allSelected ? tr("Deselect all") : tr("Select all");
}

QString ModuleTexts::sortLabel(ItemSort sort)
{
    switch (sort) {
    case ItemSort::size:
        return tr("Largest");
    case ItemSort::date:
        return tr("Oldest");
    case ItemSort::name:
        return tr("Name");
    }
    return {};
}

ModuleTexts::CleanButton ModuleTexts::cleanButton(Module module)
{
    if (module == Module::trash)
        return {tr("Delete"), QStringLiteral("trash.fill")};
    return {tr("Clean"), QStringLiteral("sparkles")};
}

QString ModuleTexts::size(std::int64_t bytes)
{
    return ByteFormat::string(bytes, ByteFormat::Style::file);
}

QString ModuleTexts::bannerTitle(const CleanSummary& summary)
{
    return tr("Poof! %1 cleaned").arg(size(summary.freedBytes));
}

QString ModuleTexts::bannerDetail(const CleanSummary& summary)
{
    QString detail = summary.movedToTrash ? tr("It's in the Trash. Empty it to get the space back for good.")
                                          : tr("Deleted for good.");
    if (summary.failedCount >= 1)
        detail += QLatin1Char(' ') + tr("%n couldn't be removed because they're in use.", nullptr, summary.failedCount);
    return detail;
}

QString ModuleTexts::undoLeftBehind(const UndoReport& report)
{
    if (report.kind == UndoReport::Kind::deletedForGood)
        return tr("These items were deleted for good and can't be put back.");
    // Counted by item: one item may have gone to the Trash in several pieces.
    std::set<std::filesystem::path> back;
    std::set<std::filesystem::path> blocked;
    std::set<std::filesystem::path> gone;
    for (const UndoReport::Entry& entry : report.entries) {
        if (!entry.error)
            back.insert(entry.item);
        else if (entry.error == std::errc::file_exists || entry.error == std::errc::directory_not_empty)
            blocked.insert(entry.item);
        else
            gone.insert(entry.item);
    }
    if (back.empty() && blocked.empty() && gone.empty())
        return tr("Nothing is left to put back: the items have left the Trash.");
    QStringList parts;
    if (!back.empty())
        parts << tr("Put back %n item(s).", nullptr, int(back.size()));
    if (!blocked.empty())
        parts << tr("%n couldn't go back because something else is at its place now.", nullptr, int(blocked.size()));
    if (!gone.empty())
        parts << tr("%n couldn't go back because it's no longer in the Trash.", nullptr, int(gone.size()));
    return parts.join(QLatin1Char(' '));
}

QString ModuleTexts::allClearMessage(Module module)
{
    return module == Module::trash ? tr("Your Trash is already empty.")
                                   : tr("There's nothing worth removing here right now.");
}

QString ModuleTexts::accessTitle(Module module)
{
    return module.needsFullDiskAccess() ? tr("Quillo needs a key") : tr("Let Quillo take a look");
}

QString ModuleTexts::accessMessage(Module module)
{
    const auto& words = platform::platformWords();
    if (!module.needsFullDiskAccess())
        return platform(words.folderAccessMessage);
    const QString what = module == Module::trash ? tr("your Trash") : tr("device backups");
    return platform(words.accessMessageBefore) + what + platform(words.accessMessageAfter);
}

const char* ModuleTexts::accessSettingsURL(Module module)
{
    return module.needsFullDiskAccess() ? SystemAccess::fullDiskAccessSettingsURL
                                        : SystemAccess::filesAndFoldersSettingsURL;
}

QString ModuleTexts::rowSubtitle(const ScanItem& item, const RelativeDate& dates, Date now)
{
    QString subtitle = QString::fromStdString(item.detail);
    if (item.date)
        subtitle += QStringLiteral(" · ") + dates.text(*item.date, now);
    return subtitle;
}

QString ModuleTexts::extraLocations(const ScanItem& item)
{
    QStringList lines;
    for (const auto& url : item.extraURLs)
        lines << QString::fromStdString(DiskScanner::abbreviatedPath(url));
    return lines.join(QLatin1Char('\n'));
}

QString ModuleTexts::rowAccessibleName(const ScanItem& item)
{
    QStringList parts{QString::fromStdString(item.name), size(item.size)};
    for (ScanItem::Tag tag : item.tags)
        parts << TagStyle::pillText(tag);
    return parts.join(QStringLiteral(", "));
}
