#pragma once

namespace platform {

// Whether the descriptor is a terminal (a person is watching, or answering).
bool isTerminal(int fd);
// The terminal's width in columns; 80 where it cannot tell.
int terminalWidth(int fd);

} // namespace platform
