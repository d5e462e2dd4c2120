#pragma once

#include <string>
#include <string_view>

#include <QString>

// Command-line arguments are bytes, and a path among them need not be valid UTF-8; the parser
// takes text. Arguments cross to it and back without losing a byte: each byte that is not part of
// valid UTF-8 becomes the lone surrogate U+DC00 + byte (the "surrogateescape" convention), which
// no option name holds.
namespace ArgumentText {

QString fromBytes(std::string_view bytes);
std::string toBytes(const QString& text);

} // namespace ArgumentText
