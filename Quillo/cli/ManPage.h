#pragma once

#include <QString>

// quillo(1), in roff's man macros, made from the command definitions: every command with its
// options, the modules, the exit statuses, the environment and the files quillo reads.
namespace ManPage {

QString text();

} // namespace ManPage
