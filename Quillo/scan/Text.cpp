#include "scan/Text.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace Text {

std::string lowercased(std::string_view text)
{
    auto unicode = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
    std::string result;
    unicode.toLower(icu::Locale::getRoot()).toUTF8String(result);
    return result;
}

std::vector<std::string_view> nonEmptyParts(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    while (!text.empty()) {
        const auto end = text.find(separator);
        if (const auto part = text.substr(0, end); !part.empty())
            parts.push_back(part);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return parts;
}

} // namespace Text
