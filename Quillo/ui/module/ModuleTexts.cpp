#include "ui/module/ModuleTexts.h"

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
