#include "cli/ItemListing.h"

#include <string>

#include "cli/TerminalText.h"
#include "cli/TextStyle.h"
#include "foundation/ByteFormat.h"
#include "store/CleanerStore.h"

namespace {

constexpr std::size_t sizeWidth = 10;
// "[x] " and the size column, then two spaces: where the name starts.
const std::string pathIndent(4 + sizeWidth + 2, ' ');

std::string tagsOf(const ScanItem& item)
{
    std::string tags;
    for (ScanItem::Tag tag : item.tags)
        tags += (tags.empty() ? "" : ", ") + std::string(rawValue(tag));
    return tags;
}

} // namespace

void printItems(std::FILE* out, const CleanerStore& store, const std::vector<ScanItem>& items)
{
    const TextStyle& style = TextStyle::of(out == stderr ? 2 : 1);
    for (const ScanItem& item : items) {
        const std::string size = ByteFormat::string(item.size, ByteFormat::Style::file).toStdString();
        std::string line = store.isSelected(item) ? style.green("[x]") + " " : "[ ] ";
        line += std::string(size.size() < sizeWidth ? sizeWidth - size.size() : 0, ' ') + style.bold(size);
        line += "  " + TerminalText::escaped(item.name);
        std::string notes;
        if (const std::string tags = tagsOf(item); !tags.empty())
            notes += "  (" + tags + ")";
        if (!item.detail.empty())
            notes += "  " + TerminalText::escaped(item.detail);
        line += style.dim(notes);
        std::fprintf(out, "%s\n%s%s\n", line.c_str(), pathIndent.c_str(), TerminalText::path(item.url).c_str());
    }
}
