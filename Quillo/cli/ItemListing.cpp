#include "cli/ItemListing.h"

#include <string>

#include "foundation/ByteFormat.h"
#include "store/CleanerStore.h"

void printItems(std::FILE* out, const CleanerStore& store, const std::vector<ScanItem>& items)
{
    for (const ScanItem& item : items) {
        std::string tags;
        for (ScanItem::Tag tag : item.tags)
            tags += (tags.empty() ? "" : ", ") + std::string(rawValue(tag));
        std::string line = store.isSelected(item) ? "[x] " : "[ ] ";
        const std::string size = ByteFormat::string(item.size, ByteFormat::Style::file).toStdString();
        line += std::string(size.size() < 10 ? 10 - size.size() : 0, ' ') + size + "  " + item.name;
        if (!tags.empty())
            line += "  (" + tags + ")";
        if (!item.detail.empty())
            line += "  " + item.detail;
        std::fprintf(out, "%s\n", line.c_str());
    }
}
