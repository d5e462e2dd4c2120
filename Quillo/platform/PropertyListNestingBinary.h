#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// libplist 2.2 (Debian 12) reads binary containers recursively and frees every tree recursively,
// also the half-built tree of a failed XML parse, with no depth limit: a few megabytes of nested
// arrays overflow the stack. These checks keep such input away from it. Each answers false also
// for anything it cannot follow exactly, since libplist would refuse that input or could read it
// differently: real property lists pass.
namespace platform::PropertyListNesting {

// Whether the containers of a binary property list nest at most `maxDepth` levels, following the
// references between objects as libplist resolves them (arrays, sets and dictionaries, keys
// included). Reads only the trailer, the offset table and the containers' references.
bool binaryNestsWithin(std::string_view bytes, std::size_t maxDepth);

// libplist 2.2 also cuts a binary property list's ASCII text at its first NUL ("org\0x" reads as
// "org"), where the UTF-16 form keeps it whole. A copy of `bytes` in which every such text is
// marked as data of the same bytes, so that it reads as no text at all (and as a key, makes the
// whole list unreadable); absent when no text holds a NUL, or the layout cannot be followed.
std::optional<std::string> binaryTextsWithNulAsData(std::string_view bytes);

} // namespace platform::PropertyListNesting
