#include "records/ScanItem.h"

#include <array>
#include <numeric>

namespace {

constexpr std::array<ScanItem::Tag, 8> tags = {
    ScanItem::Tag::rebuildable, ScanItem::Tag::system, ScanItem::Tag::review,  ScanItem::Tag::installer,
    ScanItem::Tag::archive,     ScanItem::Tag::old,    ScanItem::Tag::running, ScanItem::Tag::copy,
};
constexpr std::array<std::string_view, 8> names = {"rebuildable", "system", "review",  "installer",
                                                   "archive",     "old",    "running", "copy"};

} // namespace

std::string_view rawValue(ScanItem::Tag tag) { return names[static_cast<std::size_t>(tag)]; }

std::optional<ScanItem::Tag> tagFromRawValue(std::string_view rawValue)
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == rawValue)
            return tags[i];
    }
    return std::nullopt;
}

std::span<const ScanItem::Tag> allTags() { return tags; }

std::int64_t totalSize(std::span<const ScanItem> items)
{
    return std::accumulate(items.begin(), items.end(), std::int64_t{0},
                           [](std::int64_t sum, const ScanItem& item) { return sum + item.size; });
}
