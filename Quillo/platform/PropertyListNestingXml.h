#pragma once

#include <cstddef>
#include <string_view>

// The XML counterpart of PropertyListNestingBinary.h: libplist 2.2 frees the half-built tree of a
// failed XML parse recursively, with no depth limit, so deep nesting is refused before it parses.
namespace platform::PropertyListNesting {

// Whether the arrays and dictionaries of an XML property list nest at most `maxDepth` levels.
// Follows the markup only: tags, the text of leaf elements (with comments and CDATA sections),
// the XML declaration and a DOCTYPE without internal subset.
bool xmlNestsWithin(std::string_view bytes, std::size_t maxDepth);

} // namespace platform::PropertyListNesting
