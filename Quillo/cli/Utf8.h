#pragma once

#include <cstddef>
#include <string_view>

// File names are bytes, and only mostly UTF-8: what the command line's texts need to tell.
namespace Utf8 {

// Length of the valid UTF-8 sequence at `text[at]` (at < size), its code point in `codePoint`;
// 0 when it is not one (overlong forms, surrogates and code points past U+10FFFF included).
std::size_t sequenceLength(std::string_view text, std::size_t at, char32_t& codePoint);

bool isValid(std::string_view text);

} // namespace Utf8
