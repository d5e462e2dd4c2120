#include "scan/routines/Downloads.h"

#include "platform/DirectoryListing.h"
#include "platform/WellKnownFolders.h"
#include "scan/AgeCutoff.h"
#include "scan/DiskScanner.h"
#include "scan/Measure.h"
#include "scan/SystemAnswers.h"
#include "scan/Text.h"

namespace DiskScanner {

namespace {

// The last extension of a file name in lower case: "gz" for "backup.tar.gz".
std::string lowerCaseExtension(const std::string& name)
{
    std::string extension = std::filesystem::path(name).extension().string();
    if (!extension.empty())
        extension.erase(0, 1);
    return Text::lowercased(extension);
}

// What browsers name a download until it is complete: it may still be coming in, or may have
// failed; the user knows which.
const Extensions& unfinishedDownloadExtensions()
{
    static const Extensions extensions = {"part", "crdownload"};
    return extensions;
}

std::vector<ScanItem::Tag> kindTags(const std::string& name)
{
    const std::string extension = lowerCaseExtension(name);
    if (installerExtensions().contains(extension))
        return {ScanItem::Tag::installer};
    if (archiveExtensions().contains(extension))
        return {ScanItem::Tag::archive};
    if (platform::WellKnownFolders::linuxPlaces && unfinishedDownloadExtensions().contains(extension))
        return {ScanItem::Tag::review};
    return {};
}

Extensions withLinuxOnes(Extensions extensions, std::initializer_list<const char*> linuxOnes)
{
    if (platform::WellKnownFolders::linuxPlaces)
        extensions.insert(linuxOnes.begin(), linuxOnes.end());
    return extensions;
}

// Linux keeps no date of arrival in a folder; the added date there is the status-change time,
// which a move into the folder sets.
OptionalDate arrivalDate(const std::filesystem::path& entry)
{
    using namespace platform;
    auto attributes = readAttributes(entry, AttributeKey::addedDate | AttributeKey::modificationDate);
    if (!attributes)
        return std::nullopt;
    return attributes->addedDate ? attributes->addedDate : attributes->modificationDate;
}

} // namespace

const Extensions& installerExtensions()
{
    // Linux's packages, self-contained apps and self-extracting installers too.
    static const Extensions extensions = withLinuxOnes(
        {"dmg", "pkg", "mpkg", "iso", "xip"}, {"deb", "rpm", "appimage", "flatpak", "flatpakref", "snap", "run"});
    return extensions;
}

const Extensions& archiveExtensions()
{
    static const Extensions extensions =
        withLinuxOnes({"zip", "rar", "7z", "tar", "gz", "tgz", "bz2", "xz"}, {"zst", "lz", "lzma"});
    return extensions;
}

CategoryResult downloads(std::int64_t oldAfterDays, const ProgressSink& progress)
{
    auto listing = platform::listDirectory(home() / platform::WellKnownFolders::downloads, {.skipHidden = true});
    if (!listing) {
        progress(ScanProgress{0, "", 1.0});
        return CategoryResult{{}, isPermissionError(listing.error())};
    }
    const Date cutoff = daysBefore(now(), oldAfterDays);
    std::vector<Candidate> candidates;
    for (auto& entry : *listing) {
        Candidate candidate;
        candidate.date = arrivalDate(entry.path);
        candidate.tags = kindTags(entry.name);
        if (candidate.date && *candidate.date < cutoff)
            candidate.tags.push_back(ScanItem::Tag::old);
        candidate.url = std::move(entry.path);
        candidate.name = std::move(entry.name);
        candidate.detail = "Added";
        candidates.push_back(std::move(candidate));
    }
    return CategoryResult{measure(std::move(candidates), progress), false};
}

} // namespace DiskScanner
