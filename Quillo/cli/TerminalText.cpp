#include "cli/TerminalText.h"

#include <cstdio>

#include "cli/Utf8.h"
#include "scan/DiskScanner.h"

namespace TerminalText {

namespace {

bool isControl(char32_t codePoint) { return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F); }

// Characters a POSIX shell gives a meaning to, as `ls` counts them; "~" and "#" only first.
bool isShellSyntax(char character, bool first)
{
    static constexpr std::string_view always = " \t!\"$&'()*;<=>?[\\]^`{|}";
    return always.find(character) != std::string_view::npos || (first && (character == '~' || character == '#'));
}

// The pieces of `text` in order: runs a terminal shows as they are, and runs of bytes it must
// not be given (control characters, invalid UTF-8).
template <class Visit>
void forEachRun(std::string_view text, Visit visit)
{
    std::size_t start = 0;
    bool unsafeRun = false;
    for (std::size_t at = 0; at < text.size();) {
        char32_t codePoint = 0;
        const std::size_t length = Utf8::sequenceLength(text, at, codePoint);
        const bool unsafe = length == 0 || isControl(codePoint);
        if (unsafe != unsafeRun && at > start) {
            visit(text.substr(start, at - start), unsafeRun);
            start = at;
        }
        unsafeRun = unsafe;
        at += length == 0 ? 1 : length;
    }
    if (start < text.size())
        visit(text.substr(start), unsafeRun);
}

std::string dollarQuoted(std::string_view bytes)
{
    std::string quoted = "$'";
    for (const char byte : bytes) {
        switch (byte) {
        case '\a': quoted += "\\a"; break;
        case '\b': quoted += "\\b"; break;
        case '\t': quoted += "\\t"; break;
        case '\n': quoted += "\\n"; break;
        case '\v': quoted += "\\v"; break;
        case '\f': quoted += "\\f"; break;
        case '\r': quoted += "\\r"; break;
        default: {
            char octal[5];
            std::snprintf(octal, sizeof octal, "\\%03o", static_cast<unsigned char>(byte));
            quoted += octal;
        }
        }
    }
    return quoted + "'";
}

// A run a terminal may show, in single quotes; a quote in it closes, escapes and reopens.
std::string singleQuoted(std::string_view text)
{
    std::string quoted = "'";
    for (const char character : text)
        quoted += character == '\'' ? std::string("'\\''") : std::string(1, character);
    return quoted + "'";
}

std::string quoted(std::string_view text, bool quoteShellSyntax)
{
    bool unsafe = false;
    bool syntax = false;
    forEachRun(text, [&](std::string_view run, bool unsafeRun) {
        unsafe |= unsafeRun;
        for (std::size_t i = 0; !unsafeRun && i < run.size(); ++i)
            syntax |= isShellSyntax(run[i], run.data() + i == text.data());
    });
    if (!unsafe && !(quoteShellSyntax && syntax))
        return std::string(text);
    // As `ls`: a name whose only awkward character is a single quote goes in double quotes.
    if (!unsafe && text.find_first_of("\"$`\\!") == std::string_view::npos && text.find('\'') != std::string_view::npos)
        return "\"" + std::string(text) + "\"";
    std::string result;
    forEachRun(text, [&](std::string_view run, bool unsafeRun) { result += unsafeRun ? dollarQuoted(run) : singleQuoted(run); });
    return result;
}

} // namespace

std::string escaped(std::string_view text) { return quoted(text, false); }

std::string path(const std::filesystem::path& path)
{
    const std::string shown = DiskScanner::abbreviatedPath(path);
    if (shown == "~")
        return shown;
    if (shown.starts_with("~/"))
        return "~/" + quoted(std::string_view(shown).substr(2), true);
    return quoted(shown, true);
}

} // namespace TerminalText
