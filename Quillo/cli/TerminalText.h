#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Names and paths as they may reach a terminal. A file name may hold any byte but "/" and NUL:
// written raw, an escape sequence in one would recolour or rewrite the terminal, and a newline
// would split a listing. Both functions quote as `ls` does on a terminal (its "shell-escape"
// style), so what they print can be pasted into a shell: 'a'$'\n''b'.
namespace TerminalText {

// `text` unchanged unless it holds a control character (C0, DEL or C1) or a byte that is not
// part of valid UTF-8; then quoted, those bytes written as $'\n', $'\033', $'\377'.
std::string escaped(std::string_view text);

// `path` with the home folder written as "~" and the rest quoted where a shell would need it (a
// space, a character the shell takes for syntax) or a terminal would (as `escaped`):
// ~/'Library/Application Support/x'.
std::string path(const std::filesystem::path& path);

} // namespace TerminalText
