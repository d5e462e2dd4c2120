#include "services/UnchangedSinceScan.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/FileAttributes.h"
#include "platform/RegularFile.h"

namespace Cleaner {

namespace {

using platform::Outcome;
using platform::RegularFile;
using platform::RemovalTarget;

// The cleaner's own errors; the system's keep their own category and words.
class CleanerErrors : public std::error_category {
public:
    const char* name() const noexcept override { return "Cleaner"; }
    std::string message(int) const override { return "changed since the scan"; }
};

constexpr std::size_t chunkSize = 128 * 1024;

bool allZero(const std::byte* bytes, std::int64_t length)
{
    return std::all_of(bytes, bytes + length, [](std::byte byte) { return byte == std::byte{0}; });
}

// What one file holds at a position, as compared: `length` bytes, read into the chunk, or zeros
// of a hole that were not read.
struct Taken {
    std::int64_t length = 0;
    bool isHole = false;
};

std::optional<Taken> take(const RegularFile& file, const RegularFile::Stretch& stretch, std::int64_t position,
                          std::int64_t step, std::byte* chunk)
{
    if (stretch.isHole)
        return Taken{step, true};
    auto read = file.readAt(position, {chunk, static_cast<std::size_t>(step)});
    if (!read)
        return std::nullopt;
    return Taken{static_cast<std::int64_t>(*read), false};
}

bool same(const Taken& a, const std::byte* aChunk, const Taken& b, const std::byte* bChunk)
{
    if (a.length != b.length)
        return false;
    if (a.isHole || b.isHole)
        return (a.isHole && b.isHole) || allZero(a.isHole ? bChunk : aChunk, a.length);
    return std::memcmp(aChunk, bChunk, static_cast<std::size_t>(a.length)) == 0;
}

// Byte for byte, side by side; where both files have a hole nothing is read.
bool sameBytes(const RegularFile& a, const RegularFile& b)
{
    const auto chunks = std::make_unique_for_overwrite<std::byte[]>(2 * chunkSize);
    std::byte* const aChunk = chunks.get();
    std::byte* const bChunk = chunks.get() + chunkSize;
    std::int64_t position = 0;
    for (;;) {
        auto aStretch = a.stretchAt(position);
        auto bStretch = b.stretchAt(position);
        if (!aStretch || !bStretch)
            return false;
        const bool aEnded = aStretch->end <= position;
        const bool bEnded = bStretch->end <= position;
        if (aEnded || bEnded)
            return aEnded && bEnded;
        std::int64_t step = std::min(aStretch->end, bStretch->end) - position;
        if (!aStretch->isHole || !bStretch->isHole)
            step = std::min<std::int64_t>(step, chunkSize);
        const auto aTaken = take(a, *aStretch, position, step, aChunk);
        const auto bTaken = take(b, *bStretch, position, step, bChunk);
        if (!aTaken || !bTaken || !same(*aTaken, aChunk, *bTaken, bChunk))
            return false;
        // Both cut short at once since the stretches were told.
        if (aTaken->length == 0)
            return true;
        position += aTaken->length;
    }
}

Outcome stillAsScanned(const RemovalTarget& target, const Fingerprint& fingerprint)
{
    constexpr platform::AttributeKeys keys = platform::AttributeKey::logicalSize |
                                             platform::AttributeKey::modificationDate |
                                             platform::AttributeKey::contentIdentifier;
    auto now = platform::readAttributesAt(target.parent.get(), target.name.c_str(), keys);
    if (!now)
        return now.error();
    const platform::ContentIdentifier identity{fingerprint.device, fingerprint.inode};
    const bool unchanged = target.identity == identity && now->contentIdentifier == identity &&
                           (!fingerprint.length || (now->isRegularFile() && now->logicalSize == fingerprint.length)) &&
                           (!fingerprint.modificationDate || now->modificationDate == fingerprint.modificationDate);
    if (!unchanged)
        return changedSinceScan();
    return platform::success();
}

// Read through the folder the removal holds open, so that what is compared is what goes.
Outcome stillEqualsOriginal(const RemovalTarget& target, const std::filesystem::path& original)
{
    auto copy = RegularFile::openAt(target.parent.get(), target.name.c_str());
    if (!copy)
        return copy.error();
    // A copy that stays and cannot be read now is not the one the scan compared with.
    auto kept = RegularFile::open(original);
    if (copy->identity() != target.identity || !kept)
        return changedSinceScan();
    // The same file under both names: removing this one leaves the content in place.
    if (kept->identity() == copy->identity() || sameBytes(*copy, *kept))
        return platform::success();
    return changedSinceScan();
}

} // namespace

std::error_code changedSinceScan()
{
    static const CleanerErrors category;
    return {1, category};
}

platform::RemovalCheck unchangedSinceScan(const ScanItem& item)
{
    if (!item.fingerprint && !item.originalURL)
        return {};
    return [fingerprint = item.fingerprint, original = item.originalURL](const RemovalTarget& target) -> Outcome {
        if (fingerprint) {
            if (auto unchanged = stillAsScanned(target, *fingerprint); !unchanged)
                return unchanged;
        }
        if (original)
            return stillEqualsOriginal(target, *original);
        return platform::success();
    };
}

Outcome stillTheScannedEntry(const ScanItem& item)
{
    if (!item.fingerprint)
        return platform::success();
    auto now = platform::readAttributes(item.url, platform::AttributeKey::contentIdentifier);
    if (!now)
        return now.error();
    if (now->contentIdentifier != platform::ContentIdentifier{item.fingerprint->device, item.fingerprint->inode})
        return changedSinceScan();
    return platform::success();
}

} // namespace Cleaner
