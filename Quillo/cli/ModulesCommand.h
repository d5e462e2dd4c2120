#pragma once

#include "cli/Command.h"

// `quillo modules`: the ten modules, one line each: name, title and tagline.
extern const Command modulesCommand;
