#pragma once

namespace platform {

// Lets this process keep as many files open as the system allows it (the soft limit raised to
// the hard one), once; deep folder walks hold one descriptor per folder level in progress.
void raiseOpenFileLimit();

} // namespace platform
