#include "scan/routines/DeviceBackups.h"

#include "platform/DirectoryListing.h"
#include "platform/PropertyList.h"
#include "platform/WellKnownFolders.h"
#include "scan/DiskScanner.h"
#include "scan/Measure.h"
#include "scan/OldAge.h"
#include "scan/SystemAnswers.h"

namespace DiskScanner {

namespace {

using platform::PropertyListDictionary;

// An empty text names nothing; it counts as absent like a missing one.
std::optional<std::string> text(const PropertyListDictionary& info, std::string_view key)
{
    auto value = info.string(key);
    if (value && value->empty())
        value.reset();
    return value;
}

std::string deviceName(const PropertyListDictionary& info)
{
    if (auto name = text(info, "Device Name"))
        return *name;
    return text(info, "Display Name").value_or("Unknown device");
}

std::string deviceDetail(const PropertyListDictionary& info)
{
    const auto model = text(info, "Product Name");
    const auto version = text(info, "Product Version");
    if (model && version)
        return *model + " · iOS " + *version;
    if (model)
        return *model;
    if (version)
        return "iOS " + *version;
    return "Device backup";
}

Candidate backupCandidate(const platform::DirectoryEntry& backup, Date cutoff)
{
    auto read = PropertyListDictionary::read(backup.path / "Info.plist");
    const PropertyListDictionary info = read ? std::move(read).value() : PropertyListDictionary();
    const OptionalDate lastBackup = info.date("Last Backup Date");
    std::vector<ScanItem::Tag> tags{ScanItem::Tag::review};
    if (lastBackup && *lastBackup < cutoff)
        tags.push_back(ScanItem::Tag::old);
    return Candidate{
        .url = backup.path,
        .name = deviceName(info),
        .detail = deviceDetail(info),
        .tags = std::move(tags),
        .isRecommended = false,
        .date = lastBackup,
        .iconURL = std::nullopt,
        .extraURLs = {},
        .bundleID = std::nullopt,
    };
}

} // namespace

CategoryResult iosBackups(const ProgressSink& progress)
{
    const auto listing = platform::listDirectory(home() / platform::WellKnownFolders::deviceBackups, {.skipHidden = true});
    if (!listing) {
        progress(ScanProgress{0, "", 1.0});
        return {{}, isPermissionError(listing.error())};
    }
    const Date cutoff = now() - oldAfter;
    std::vector<Candidate> candidates;
    for (const auto& backup : *listing)
        candidates.push_back(backupCandidate(backup, cutoff));
    return {measure(std::move(candidates), progress), false};
}

} // namespace DiskScanner
