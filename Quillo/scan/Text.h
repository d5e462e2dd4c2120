#pragma once

#include <string>
#include <string_view>
#include <vector>

// Small text operations the scans share. Text is UTF-8.
namespace Text {

// In lower case by the Unicode rules, the same in every locale. For comparisons: malformed
// sequences come back as U+FFFD.
std::string lowercased(std::string_view text);

// The pieces between the separators, empty pieces left out ("a..b." gives "a", "b"). The views
// point into `text`.
std::vector<std::string_view> nonEmptyParts(std::string_view text, char separator);

} // namespace Text
