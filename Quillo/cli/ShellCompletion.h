#pragma once

#include <QString>

// Completion scripts for the shells, made from the command definitions so they never list an
// option the parser does not take. Commands, their options, module names after scan and clean,
// files after size and after options that take a PATH or FILE.
namespace ShellCompletion {

// For bash-completion's completions folder; needs nothing but bash itself.
QString bash();
// For zsh's vendor-completions folder (file "_quillo").
QString zsh();
// For fish's vendor_completions.d folder.
QString fish();

} // namespace ShellCompletion
