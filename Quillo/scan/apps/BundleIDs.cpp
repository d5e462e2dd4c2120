#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>

#include "scan/apps/BundleIDs.h"
#include "scan/Text.h"

namespace DiskScanner {

namespace {

constexpr std::array<std::string_view, 16> acceptedFirstParts = {
    "com", "org", "net", "io", "app", "co", "me", "dev", "us", "de", "uk", "fr", "jp", "ch", "nl", "ru",
};

// Endings a support file adds to the identifier, in the order they are taken off.
constexpr std::array<std::string_view, 3> removedSuffixes = {".plist", ".savedState", ".binarycookies"};

// Whether `text` is valid UTF-8 made only of letters and numbers (general categories L and N),
// ".", "-" and "_".
bool hasOnlyIdentifierCharacters(std::string_view text)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t offset = 0; offset < length;) {
        UChar32 character = 0;
        U8_NEXT(bytes, offset, length, character);
        if (character < 0)
            return false;
        const bool letterOrNumber = (U_GET_GC_MASK(character) & (U_GC_L_MASK | U_GC_N_MASK)) != 0;
        if (!letterOrNumber && character != '.' && character != '-' && character != '_')
            return false;
    }
    return true;
}

} // namespace

std::optional<std::string> bundleID(std::string_view fileName)
{
    std::string_view name = fileName;
    for (std::string_view suffix : removedSuffixes) {
        if (name.ends_with(suffix))
            name.remove_suffix(suffix.size());
    }
    const auto parts = Text::nonEmptyParts(name, '.');
    if (parts.size() < 3 || !hasOnlyIdentifierCharacters(name))
        return std::nullopt;
    if (std::ranges::find(acceptedFirstParts, Text::lowercased(parts.front())) == acceptedFirstParts.end())
        return std::nullopt;
    return std::string(name);
}

std::string vendorPrefix(std::string_view identifier)
{
    const std::string lower = Text::lowercased(identifier);
    const auto parts = Text::nonEmptyParts(lower, '.');
    std::string prefix;
    for (std::size_t i = 0; i < std::min<std::size_t>(parts.size(), 2); ++i) {
        if (i > 0)
            prefix += '.';
        prefix += parts[i];
    }
    return prefix;
}

} // namespace DiskScanner
